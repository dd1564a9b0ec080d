#include "worldgen/chunk_encoders.h"

#include <algorithm>
#include <map>

#include "renderer/blocks/block_names.h"
#include "worldgen/nbt_writer.h"

namespace sgworld {

namespace {

struct LegacyBlock {
  uint16_t id = 0;
  uint8_t data = 0;
};

LegacyBlock legacy(const std::string& name, uint16_t limit) {
  const sgrender::BlockName* b = sgrender::findBlockName(name);
  if (!b) return {1, 0};
  if (b->id >= limit) return {1, 0};  // stone stands in where the era has no such block
  return {b->id, b->data};
}

void putNibble(std::vector<uint8_t>& a, size_t i, int v) {
  a[i / 2] = static_cast<uint8_t>((i & 1) ? (a[i / 2] & 0x0F) | (v << 4) : (a[i / 2] & 0xF0) | (v & 15));
}

int bitsFor(size_t n) {
  int bits = 4;
  while ((size_t(1) << bits) < n) ++bits;
  return bits;
}

std::vector<int64_t> pack(const std::vector<uint16_t>& values, int bits, bool across) {
  std::vector<uint64_t> longs;
  if (across) {
    longs.assign((values.size() * bits + 63) / 64, 0);
    for (size_t i = 0; i < values.size(); ++i) {
      size_t bit = i * bits, word = bit / 64, shift = bit % 64;
      longs[word] |= uint64_t(values[i]) << shift;
      if (shift + bits > 64) longs[word + 1] |= uint64_t(values[i]) >> (64 - shift);
    }
  } else {
    size_t per = 64 / bits;
    longs.assign((values.size() + per - 1) / per, 0);
    for (size_t i = 0; i < values.size(); ++i) longs[i / per] |= uint64_t(values[i]) << ((i % per) * bits);
  }
  return {longs.begin(), longs.end()};
}

bool sectionEmpty(const ChunkColumn& c, int sy) {
  for (int y = sy * 16; y < sy * 16 + 16; ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x)
        if (c.at(x, y, z)) return false;
  return true;
}

std::vector<uint8_t> sectionLight(const ChunkColumn& c, int sy) {
  std::vector<uint8_t> light(2048, 0);
  if (c.light.empty()) return light;
  for (int y = 0; y < 16; ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        int wy = sy * 16 + y;
        if (wy < c.minY || wy >= c.minY + c.height) continue;
        putNibble(light, size_t(y * 256 + z * 16 + x), c.light[((size_t(wy - c.minY) * 16 + z) * 16) + x]);
      }
  return light;
}

void oneArray(const ChunkColumn& c, NbtWriter& w) {
  std::vector<uint8_t> blocks(32768, 0), data(16384, 0), light(16384, 0);
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = 0; y < 128; ++y) {
        size_t i = size_t(y) + size_t(z) * 128 + size_t(x) * 2048;
        LegacyBlock b = legacy(c.names[c.at(x, y, z)], 256);
        blocks[i] = static_cast<uint8_t>(b.id);
        putNibble(data, i, b.data);
        if (!c.light.empty() && c.height > 0 && y >= c.minY && y < c.minY + c.height)
          putNibble(light, i, c.light[((size_t(y - c.minY) * 16 + z) * 16) + x]);
      }
  w.byteArray("Blocks", blocks);
  w.byteArray("Data", data);
  w.byteArray("BlockLight", light);
}

void numericSections(const ChunkColumn& c, NbtWriter& w) {
  std::vector<int> ys;
  for (int sy = 0; sy < 16; ++sy)
    if (!sectionEmpty(c, sy)) ys.push_back(sy);
  w.beginCompoundList("Sections", static_cast<int32_t>(ys.size()));
  for (int sy : ys) {
    std::vector<uint8_t> blocks(4096), add(2048, 0), data(2048, 0);
    bool anyAdd = false;
    for (size_t i = 0; i < 4096; ++i) {
      int x = int(i % 16), z = int(i / 16 % 16), y = sy * 16 + int(i / 256);
      LegacyBlock b = legacy(c.names[c.at(x, y, z)], 4096);
      blocks[i] = static_cast<uint8_t>(b.id & 255);
      if (b.id > 255) {
        putNibble(add, i, b.id >> 8);
        anyAdd = true;
      }
      putNibble(data, i, b.data);
    }
    w.byteTag("Y", static_cast<int8_t>(sy));
    w.byteArray("Blocks", blocks);
    if (anyAdd) w.byteArray("Add", add);
    w.byteArray("Data", data);
    w.byteArray("BlockLight", sectionLight(c, sy));
    w.endCompound();
  }
}

// Palette and packed indices of one section.
void paletteOf(const ChunkColumn& c, int sy, std::vector<std::string>& palette, std::vector<uint16_t>& indices) {
  std::map<uint16_t, uint16_t> seen;
  palette.clear();
  indices.assign(4096, 0);
  seen[0] = 0;
  palette.push_back("minecraft:" + c.names[0]);
  for (size_t i = 0; i < 4096; ++i) {
    int x = int(i % 16), z = int(i / 16 % 16), y = sy * 16 + int(i / 256);
    uint16_t b = c.at(x, y, z);
    auto [it, added] = seen.emplace(b, static_cast<uint16_t>(palette.size()));
    if (added) palette.push_back("minecraft:" + c.names[b]);
    indices[i] = it->second;
  }
}

void writePalette(NbtWriter& w, const std::string& key, const std::vector<std::string>& palette) {
  w.beginCompoundList(key, static_cast<int32_t>(palette.size()));
  for (const auto& n : palette) {
    w.stringTag("Name", n);
    w.endCompound();
  }
}

void putLight(const ChunkColumn& c, int sy, NbtWriter& w) {
  std::vector<uint8_t> light = sectionLight(c, sy);
  if (c.darkSectionsUnlit && std::all_of(light.begin(), light.end(), [](uint8_t b) { return b == 0; })) return;
  w.byteArray("BlockLight", light);
}

void paletteSections(const ChunkColumn& c, NbtWriter& w, bool across) {
  std::vector<int> ys;
  for (int sy = 0; sy < 16; ++sy)
    if (!sectionEmpty(c, sy)) ys.push_back(sy);
  w.beginCompoundList("Sections", static_cast<int32_t>(ys.size()));
  std::vector<std::string> palette;
  std::vector<uint16_t> indices;
  for (int sy : ys) {
    paletteOf(c, sy, palette, indices);
    w.byteTag("Y", static_cast<int8_t>(sy));
    writePalette(w, "Palette", palette);
    w.longArray("BlockStates", pack(indices, bitsFor(palette.size()), across));
    putLight(c, sy, w);
    w.endCompound();
  }
}

// The numbers worlds before 1.18 store for the biomes the writer knows.
int32_t biomeNumber(const std::string& name) {
  static const std::pair<const char*, int32_t> numbers[] = {
      {"ocean", 0},   {"plains", 1},        {"desert", 2},  {"forest", 4},        {"taiga", 5},
      {"swamp", 6},   {"river", 7},         {"beach", 16},  {"snowy_plains", 12}, {"jungle", 21},
      {"deep_ocean", 24}, {"savanna", 35},  {"badlands", 37}, {"dark_forest", 29}, {"birch_forest", 27}};
  for (const auto& [n, number] : numbers)
    if (name == n) return number;
  return 1;
}

// One number a column (1.2 to 1.14), or one a cell of 4 x 4 x 4 blocks (1.15 to 1.17).
std::vector<int32_t> biomeNumbers(const ChunkColumn& c, bool cells) {
  std::vector<int32_t> out;
  if (!cells) {
    for (uint16_t b : c.biomes) out.push_back(biomeNumber(c.biomeNames[b]));
    return out;
  }
  for (int cy = 0; cy < 64; ++cy)
    for (int cz = 0; cz < 4; ++cz)
      for (int cx = 0; cx < 4; ++cx) out.push_back(biomeNumber(c.biomeNames[c.biomes[size_t(cz * 4 * 16 + cx * 4)]]));
  return out;
}

// A section's biomes from 1.18 on: a palette of names and indices packed within longs.
void sectionBiomes(const ChunkColumn& c, NbtWriter& w) {
  std::vector<std::string> palette;
  std::vector<uint16_t> indices;
  for (int cy = 0; cy < 4; ++cy)
    for (int cz = 0; cz < 4; ++cz)
      for (int cx = 0; cx < 4; ++cx) {
        const std::string name = "minecraft:" + c.biomeNames[c.biomes[size_t(cz * 4 * 16 + cx * 4)]];
        auto at = std::find(palette.begin(), palette.end(), name);
        if (at == palette.end()) at = palette.insert(palette.end(), name);
        indices.push_back(static_cast<uint16_t>(at - palette.begin()));
      }
  w.beginCompound("biomes");
  w.stringList("palette", palette);
  if (palette.size() > 1) {
    int bits = 1;
    while ((size_t(1) << bits) < palette.size()) ++bits;
    const int perLong = 64 / bits;
    std::vector<int64_t> longs((indices.size() + perLong - 1) / perLong, 0);
    for (size_t i = 0; i < indices.size(); ++i)
      longs[i / perLong] |= static_cast<int64_t>(uint64_t(indices[i]) << ((i % perLong) * bits));
    w.longArray("data", longs);
  }
  w.endCompound();
}

void blockStateSections(const ChunkColumn& c, NbtWriter& w) {
  const int lo = c.minY / 16, hi = (c.minY + c.height) / 16;
  w.beginCompoundList("sections", hi - lo);
  std::vector<std::string> palette;
  std::vector<uint16_t> indices;
  for (int sy = lo; sy < hi; ++sy) {
    paletteOf(c, sy, palette, indices);
    w.byteTag("Y", static_cast<int8_t>(sy));
    w.beginCompound("block_states");
    writePalette(w, "palette", palette);
    if (palette.size() > 1) w.longArray("data", pack(indices, bitsFor(palette.size()), false));
    w.endCompound();
    putLight(c, sy, w);
    if (!c.biomes.empty()) sectionBiomes(c, w);
    w.endCompound();
  }
}

}  // namespace

const char* layoutWord(Layout l) {
  switch (l) {
    case Layout::Alpha: return "alpha";
    case Layout::Beta: return "beta";
    case Layout::Numeric: return "numeric";
    case Layout::PaletteAcross: return "palette-across";
    case Layout::PaletteWithin: return "palette-within";
    case Layout::BlockStates: return "block-states";
  }
  return "";
}

bool layoutFromWord(const std::string& word, Layout& layout) {
  for (Layout l : {Layout::Alpha, Layout::Beta, Layout::Numeric, Layout::PaletteAcross, Layout::PaletteWithin,
                   Layout::BlockStates})
    if (word == layoutWord(l)) {
      layout = l;
      return true;
    }
  return false;
}

int lowestLevel(Layout l) { return l == Layout::BlockStates ? -64 : 0; }
int levelCount(Layout l) {
  return l == Layout::Alpha || l == Layout::Beta ? 128 : l == Layout::BlockStates ? 384 : 256;
}

ChunkColumn::ChunkColumn(int cx, int cz, int lowest, int levels)
    : x(cx), z(cz), minY(lowest), height(levels), names{"air"}, blocks(size_t(levels) * 256, 0) {}

void ChunkColumn::setBiome(int bx, int bz, const std::string& biome) {
  if (biomes.empty()) biomes.assign(256, 0);
  auto at = std::find(biomeNames.begin(), biomeNames.end(), biome);
  if (at == biomeNames.end()) at = biomeNames.insert(biomeNames.end(), biome);
  biomes[size_t(bz) * 16 + bx] = static_cast<uint16_t>(at - biomeNames.begin());
}

uint16_t ChunkColumn::name(const std::string& n) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == n) return static_cast<uint16_t>(i);
  names.push_back(n);
  return static_cast<uint16_t>(names.size() - 1);
}

std::vector<uint8_t> encodeChunk(const ChunkColumn& c, Layout layout) {
  NbtWriter w;
  if (layout == Layout::BlockStates) {
    w.intTag("DataVersion", 3953);
    w.intTag("xPos", c.x);
    w.intTag("zPos", c.z);
    w.intTag("yPos", c.minY / 16);
    w.stringTag("Status", "minecraft:" + c.status);
    w.byteTag("isLightOn", 1);
    blockStateSections(c, w);
    return w.finish();
  }
  if (layout == Layout::PaletteAcross) w.intTag("DataVersion", 1976);
  if (layout == Layout::PaletteWithin) w.intTag("DataVersion", 2730);
  if (layout == Layout::Numeric) w.intTag("DataVersion", 1343);
  w.beginCompound("Level");
  w.intTag("xPos", c.x);
  w.intTag("zPos", c.z);
  if (layout == Layout::PaletteAcross || layout == Layout::PaletteWithin) w.stringTag("Status", c.status);
  else w.byteTag("TerrainPopulated", 1);
  if (layout == Layout::Alpha || layout == Layout::Beta) oneArray(c, w);
  else if (layout == Layout::Numeric) numericSections(c, w);
  else paletteSections(c, w, layout == Layout::PaletteAcross);
  // Biomes as each era stores them; Alpha and Beta store none.
  if (!c.biomes.empty() && layout == Layout::Numeric) {
    std::vector<uint8_t> bytes;
    for (int32_t n : biomeNumbers(c, false)) bytes.push_back(static_cast<uint8_t>(n));
    w.byteArray("Biomes", bytes);
  } else if (!c.biomes.empty() && (layout == Layout::PaletteAcross || layout == Layout::PaletteWithin)) {
    w.intArray("Biomes", biomeNumbers(c, layout == Layout::PaletteWithin));
  }
  if (layout == Layout::PaletteAcross || layout == Layout::PaletteWithin) w.byteTag("isLightOn", 1);
  w.endCompound();
  return w.finish();
}

}  // namespace sgworld
