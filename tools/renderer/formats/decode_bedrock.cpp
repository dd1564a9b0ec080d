#include "renderer/formats/decode_bedrock.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <map>

#include "renderer/blocks/bedrock_names.h"
#include "renderer/blocks/biomes.h"

namespace sgrender {

namespace {

constexpr int kMaxPalette = 4096;
constexpr int kMaxDepth = 64;

// Little-endian bytes read from the front, every step checked against what is left.
struct Reader {
  const uint8_t* p;
  const uint8_t* end;
  bool has(size_t n) const { return static_cast<size_t>(end - p) >= n; }
  bool u8(uint8_t& v) {
    if (!has(1)) return false;
    v = *p++;
    return true;
  }
  bool u16(uint16_t& v) {
    if (!has(2)) return false;
    v = uint16_t(p[0] | p[1] << 8);
    p += 2;
    return true;
  }
  bool u32(uint32_t& v) {
    if (!has(4)) return false;
    v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    p += 4;
    return true;
  }
  bool skip(uint64_t n) {
    if (!has(n)) return false;
    p += n;
    return true;
  }
  bool text(std::string_view& s) {
    uint16_t n;
    if (!u16(n) || !has(n)) return false;
    s = std::string_view(reinterpret_cast<const char*>(p), n);
    p += n;
    return true;
  }
};

// A palette entry: the block's name and the values of its states as text.
struct PaletteTags {
  std::string name;
  std::vector<std::pair<std::string_view, std::string>> states;
};

// Reads (or, with `into` null, steps over) one payload of a little-endian tag.
bool readPayload(Reader& r, uint8_t type, int depth, std::string* value, PaletteTags* into, bool inStates);

bool readCompound(Reader& r, int depth, PaletteTags* into, bool inStates) {
  if (depth > kMaxDepth) return false;
  while (true) {
    uint8_t type;
    std::string_view name;
    if (!r.u8(type)) return false;
    if (type == 0) return true;
    if (!r.text(name)) return false;
    std::string value;
    const bool wanted = into && (inStates || name == "name");
    if (into && !inStates && name == "states" && type == 10) {
      if (!readCompound(r, depth + 1, into, true)) return false;
      continue;
    }
    if (!readPayload(r, type, depth + 1, wanted ? &value : nullptr, nullptr, false)) return false;
    if (!wanted) continue;
    if (inStates) into->states.emplace_back(name, std::move(value));
    else if (type == 8) into->name = std::move(value);
  }
}

bool readPayload(Reader& r, uint8_t type, int depth, std::string* value, PaletteTags* into, bool inStates) {
  uint8_t b;
  uint16_t s;
  uint32_t i, hi;
  switch (type) {
    case 1:
      if (!r.u8(b)) return false;
      if (value) *value = std::to_string(static_cast<int8_t>(b));
      return true;
    case 2:
      if (!r.u16(s)) return false;
      if (value) *value = std::to_string(static_cast<int16_t>(s));
      return true;
    case 3:
      if (!r.u32(i)) return false;
      if (value) *value = std::to_string(static_cast<int32_t>(i));
      return true;
    case 4:
      if (!r.u32(i) || !r.u32(hi)) return false;
      if (value) *value = std::to_string(static_cast<int64_t>(uint64_t(hi) << 32 | i));
      return true;
    case 5: return r.skip(4);
    case 6: return r.skip(8);
    case 7: return r.u32(i) && i <= INT32_MAX && r.skip(i);
    case 8: {
      std::string_view t;
      if (!r.text(t)) return false;
      if (value) value->assign(t);
      return true;
    }
    case 9: {
      uint8_t item;
      if (!r.u8(item) || !r.u32(i) || i > INT32_MAX || item > 12) return false;
      if (item == 0 && i > 0) return false;
      for (uint32_t k = 0; k < i; ++k)
        if (!readPayload(r, item, depth + 1, nullptr, nullptr, false)) return false;
      return true;
    }
    case 10: return depth <= kMaxDepth && readCompound(r, depth, into, inStates);
    case 11: return r.u32(i) && i <= INT32_MAX / 4 && r.skip(uint64_t(i) * 4);
    case 12: return r.u32(i) && i <= INT32_MAX / 8 && r.skip(uint64_t(i) * 8);
    default: return false;
  }
}

// One palette entry: a named compound holding name, states and version.
bool readPaletteEntry(Reader& r, PaletteTags& out) {
  uint8_t type;
  std::string_view rootName;
  if (!r.u8(type) || type != 10 || !r.text(rootName)) return false;
  return readCompound(r, 0, &out, false);
}

constexpr bool validBits(int bits) {
  return bits == 0 || bits == 1 || bits == 2 || bits == 3 || bits == 4 || bits == 5 || bits == 6 || bits == 8 ||
         bits == 16;
}

// A storage layer's packed indexes: word count for `bits`, and index i's value.
size_t wordsFor(int bits) {
  const int perWord = 32 / bits;
  return (4096 + perWord - 1) / perWord;
}
// All 4096 indexes of a layer, word by word.
void unpackIndexes(const uint8_t* words, int bits, std::array<uint16_t, 4096>& out) {
  if (bits == 0) {
    out.fill(0);
    return;
  }
  const int perWord = 32 / bits;
  const uint32_t mask = uint32_t((uint64_t(1) << bits) - 1);
  size_t i = 0;
  for (const uint8_t* w = words; i < 4096; w += 4) {
    uint32_t word = uint32_t(w[0]) | uint32_t(w[1]) << 8 | uint32_t(w[2]) << 16 | uint32_t(w[3]) << 24;
    for (int k = 0; k < perWord && i < 4096; ++k, ++i, word >>= bits) out[i] = static_cast<uint16_t>(word & mask);
  }
}

// Index i alone (0 to 4095), for a layer of which only a few are wanted.
uint16_t indexAt(const uint8_t* words, int bits, size_t i) {
  if (bits == 0) return 0;
  const size_t perWord = static_cast<size_t>(32 / bits);
  const uint8_t* w = words + (i / perWord) * 4;
  const uint32_t word = uint32_t(w[0]) | uint32_t(w[1]) << 8 | uint32_t(w[2]) << 16 | uint32_t(w[3]) << 24;
  return static_cast<uint16_t>((word >> ((i % perWord) * static_cast<size_t>(bits))) & ((uint32_t(1) << bits) - 1));
}

struct Looked {
  uint16_t id = 0;
  uint8_t data = 0;
  bool known = true;
};

// One block storage layer: its indexes and its palette, looked up as blocks.
bool readLayer(Reader& r, const uint8_t*& words, int& bits, std::vector<Looked>& palette, Chunk& c, std::string& error) {
  uint8_t header;
  if (!r.u8(header)) {
    error = "a sub-chunk ends before its storage layer";
    return false;
  }
  bits = header >> 1;
  if (header & 1) {
    error = "a sub-chunk holds runtime ids, which only the game's network sends";
    return false;
  }
  if (!validBits(bits)) {
    error = "a sub-chunk layer has " + std::to_string(bits) + " bits to a block";
    return false;
  }
  words = r.p;
  if (bits > 0 && !r.skip(wordsFor(bits) * 4)) {
    error = "a sub-chunk's block indexes are cut short";
    return false;
  }
  uint32_t count = 1;
  // With no bits, some writers store the palette's count and some do not: a count of 1 is one.
  const uint8_t* before = r.p;
  if (!r.u32(count) || (bits == 0 && count != 1)) {
    r.p = before;
    count = 1;
    if (bits > 0) {
      error = "a sub-chunk's palette has no size";
      return false;
    }
  }
  if (count == 0 || count > kMaxPalette || (bits < 16 && count > (1u << bits) && bits > 0)) {
    error = "a sub-chunk's palette holds " + std::to_string(count) + " blocks for " + std::to_string(bits) + " bits";
    return false;
  }
  palette.clear();
  for (uint32_t k = 0; k < count; ++k) {
    PaletteTags tags;
    if (!readPaletteEntry(r, tags)) {
      error = "a sub-chunk's palette entry is damaged";
      return false;
    }
    const BlockName* b = bedrockBlock(tags.name, [&](std::string_view key) -> std::string_view {
      for (const auto& [k2, v] : tags.states)
        if (k2 == key) return v;
      return {};
    });
    Looked l;
    if (b) {
      l.id = b->id;
      l.data = b->data;
    } else {
      l.id = kUnknownBlock;
      l.known = false;
      c.unknownName(tags.name.empty() ? std::string_view("(no name)") : std::string_view(tags.name));
    }
    palette.push_back(l);
  }
  return true;
}

bool isAir(const Looked& l) { return l.known && l.id == 0; }

}  // namespace

int subChunkLevel(std::string_view value, int index) {
  if (value.size() >= 3 && static_cast<uint8_t>(value[0]) == 9) return static_cast<int8_t>(value[2]);
  return index;
}

bool decodeSubChunk(std::string_view value, int index, Chunk& c, std::string& error) {
  Reader r{reinterpret_cast<const uint8_t*>(value.data()), reinterpret_cast<const uint8_t*>(value.data()) + value.size()};
  uint8_t version, layers = 1, ownLevel;
  if (!r.u8(version)) {
    error = "a sub-chunk is empty";
    return false;
  }
  if (version == 8 || version == 9) {
    if (!r.u8(layers)) {
      error = "a sub-chunk ends before its layer count";
      return false;
    }
    if (version == 9 && !r.u8(ownLevel)) {
      error = "a sub-chunk ends before its level";
      return false;
    }
  } else if (version != 1) {
    error = "a sub-chunk of version " + std::to_string(version) +
            " (the numeric block ids of worlds from before 1.2.13), which this reader does not read";
    return false;
  }
  const int level = subChunkLevel(value, index);
  if (!c.holds(level * 16) || !c.holds(level * 16 + 15)) {
    error = "a sub-chunk lies outside its world's levels";
    return false;
  }
  // The first layer holds the blocks, the second the water of waterlogged blocks. A block in
  // water is drawn as the block, as the other edition stores it; the water shows only where
  // the first layer is air.
  std::vector<Looked> palettes[2];
  const uint8_t* words[2] = {nullptr, nullptr};
  int bits[2] = {0, 0};
  const int read = std::min<int>(layers, 2);
  if (layers == 0) return true;
  for (int l = 0; l < read; ++l)
    if (!readLayer(r, words[l], bits[l], palettes[l], c, error)) return false;
  const size_t base = c.index(0, level * 16, 0);
  thread_local std::array<uint16_t, 4096> indexes[2];
  for (int l = 0; l < read; ++l) unpackIndexes(words[l], bits[l], indexes[l]);
  if (read == 1) {
    // One layer: each index's block and data value looked up in one table (an index past the
    // palette is an unknown block), written in the model's order, a row of 16 blocks at a time.
    const std::vector<Looked>& palette = palettes[0];
    thread_local std::vector<uint32_t> looks;
    looks.assign(std::max<size_t>(palette.size(), 256), kUnknownBlock);
    for (size_t k = 0; k < palette.size(); ++k) looks[k] = uint32_t(palette[k].id) | uint32_t(palette[k].data) << 16;
    for (size_t y = 0; y < 16; ++y)
      for (size_t z = 0; z < 16; ++z) {
        uint16_t* ids = &c.ids[base + (y * 16 + z) * 16];
        uint8_t* data = &c.data[base + (y * 16 + z) * 16];
        for (size_t x = 0; x < 16; ++x) {
          const uint16_t k = indexes[0][(x << 8) | (z << 4) | y];
          const uint32_t look = k < looks.size() ? looks[k] : kUnknownBlock;
          ids[x] = static_cast<uint16_t>(look);
          data[x] = static_cast<uint8_t>(look >> 16);
        }
      }
    return true;
  }
  for (size_t i = 0; i < 4096; ++i) {
    // Indexes run x, z, y (y fastest); the model runs y, z, x.
    const size_t x = i >> 8, z = (i >> 4) & 15, y = i & 15;
    auto blockOf = [&](int l) -> const Looked* {
      const uint32_t k = indexes[l][i];
      return k < palettes[l].size() ? &palettes[l][k] : nullptr;
    };
    const Looked* b = blockOf(0);
    if (b && isAir(*b) && read == 2) {
      const Looked* under = blockOf(1);
      if (under && !isAir(*under)) b = under;
    }
    const size_t at = base + (y * 16 + z) * 16 + x;
    if (!b) {
      c.ids[at] = kUnknownBlock;
      continue;
    }
    c.ids[at] = b->id;
    c.data[at] = b->data;
  }
  return true;
}

namespace {

// The 3-D biomes of newer worlds: a paletted storage a sub-chunk from the world's bottom up,
// each taken here a cell of 4 x 4 x 4 blocks (the block at the cell's lowest corner).
void decodeBiomes3D(std::string_view value, int worldBottom, Chunk& c) {
  Reader r{reinterpret_cast<const uint8_t*>(value.data()), reinterpret_cast<const uint8_t*>(value.data()) + value.size()};
  if (!r.skip(512)) return;
  const int cellsHigh = c.height / 4;
  std::vector<uint16_t> cells(size_t(cellsHigh) * 16, kNoBiome);
  std::vector<uint16_t> previous;  // the last sub-chunk's biomes, a cell each
  for (int sub = 0; r.p < r.end; ++sub) {
    uint8_t header;
    if (!r.u8(header)) break;
    std::vector<uint16_t> own(64, kNoBiome);  // 4 x 4 x 4 cells
    if (header == 0xff) {
      if (previous.empty()) continue;
      own = previous;
    } else {
      const int bits = header >> 1;
      if (!validBits(bits)) return;
      const uint8_t* words = r.p;
      if (bits > 0 && !r.skip(wordsFor(bits) * 4)) return;
      uint32_t count = 1;
      if (bits > 0 && (!r.u32(count) || count == 0 || count > kMaxPalette)) return;
      std::vector<uint16_t> palette;
      for (uint32_t k = 0; k < count; ++k) {
        uint32_t id;
        if (!r.u32(id)) return;
        palette.push_back(bedrockBiome(static_cast<int32_t>(id)));
      }
      for (int cy = 0; cy < 4; ++cy)
        for (int cz = 0; cz < 4; ++cz)
          for (int cx = 0; cx < 4; ++cx) {
            const uint32_t k = indexAt(words, bits, (size_t(cx * 4) * 16 + size_t(cz * 4)) * 16 + size_t(cy * 4));
            own[size_t((cy * 4 + cz) * 4 + cx)] = k < palette.size() ? palette[k] : kNoBiome;
          }
    }
    previous = own;
    const int bottom = worldBottom + sub * 16;  // the sub-chunk's lowest level
    for (int cy = 0; cy < 4; ++cy) {
      const int level = bottom + cy * 4;
      if (!c.holds(level)) continue;
      const size_t row = size_t((level - c.minY) / 4) * 16;
      std::copy_n(own.begin() + cy * 16, 16, cells.begin() + static_cast<long>(row));
    }
  }
  c.biomes = std::move(cells);
  c.biomeCells = true;
}

// The 2-D biomes of older worlds: a byte a column after the heights.
void decodeBiomes2D(std::string_view value, Chunk& c) {
  if (value.size() < 512 + 256) return;
  c.biomes.assign(256, kNoBiome);
  for (size_t i = 0; i < 256; ++i) {
    // Columns run x, z (z fastest) in the store, z, x in the model.
    const size_t x = i >> 4, z = i & 15;
    c.biomes[z * 16 + x] = bedrockBiome(static_cast<uint8_t>(value[512 + i]));
  }
  c.biomeCells = false;
}

}  // namespace

ChunkVerdict decodeBedrockChunk(const std::vector<BedrockRecord>& records, BedrockDimension dimension, Chunk& c,
                                std::string& error, const HiddenBelow* hidden) {
  std::map<int, std::string_view> subChunks;  // by level, from the top down when decoded
  std::string_view data3D, data2D;
  bool legacyTerrain = false;
  for (const auto& r : records) {
    if (r.tail.empty()) continue;
    const auto tag = static_cast<uint8_t>(r.tail[0]);
    if (tag == kSubChunk && r.tail.size() == 2) {
      const int level = subChunkLevel(r.value, static_cast<int8_t>(r.tail[1]));
      subChunks[level] = r.value;
    } else if (tag == kData3D && r.tail.size() == 1) {
      data3D = r.value;
    } else if ((tag == kData2D || tag == kData2DLegacy) && r.tail.size() == 1) {
      data2D = r.value;
    } else if (tag == kLegacyTerrain && r.tail.size() == 1) {
      legacyTerrain = true;
    }
  }
  if (subChunks.empty()) {
    if (legacyTerrain) {
      error = "the chunk is stored as legacy terrain (worlds from before 1.0), which this reader does not read";
      return ChunkVerdict::Damaged;
    }
    error = "the chunk holds no sub-chunks";
    return ChunkVerdict::Damaged;
  }
  // The world's levels: 1.18 on, the overworld from -64 to 320; the nether 0 to 128; else 0 to 256.
  const bool deep = dimension == BedrockDimension::Overworld && (!data3D.empty() || subChunks.begin()->first < 0);
  const int worldBottom = deep ? -64 : 0;
  const int worldTop = dimension == BedrockDimension::Nether ? 128 : deep ? 320 : 256;
  // Levels are a byte: the chunk takes at most 256 sub-chunks, as the tallest Java chunk does.
  const int lowest = subChunks.begin()->first, highest = subChunks.rbegin()->first;
  c.reset(lowest * 16, (highest - lowest + 1) * 16);
  c.worldMinY = std::min(worldBottom, c.minY);
  c.worldTop = std::max(worldTop, c.minY + c.height);
  std::array<uint8_t, 256> covered{};
  for (auto it = subChunks.rbegin(); it != subChunks.rend(); ++it) {
    if (!decodeSubChunk(it->second, it->first, c, error)) return ChunkVerdict::Damaged;
    if (hidden && hidden->hides(c, it->first * 16, it->first * 16 + 15, covered)) break;
  }
  if (!data3D.empty()) decodeBiomes3D(data3D, worldBottom, c);
  else if (!data2D.empty()) decodeBiomes2D(data2D, c);
  return ChunkVerdict::Decoded;
}

}  // namespace sgrender
