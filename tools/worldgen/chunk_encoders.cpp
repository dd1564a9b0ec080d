#include "worldgen/chunk_encoders.h"

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
    w.byteArray("BlockLight", sectionLight(c, sy));
    w.endCompound();
  }
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
    w.byteArray("BlockLight", sectionLight(c, sy));
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
  w.endCompound();
  return w.finish();
}

}  // namespace sgworld
