// The eras that store blocks by name: a palette per section and packed indices into it.
// 1.13 to 1.17 keep them in Palette and BlockStates (running across longs before 1.16);
// 1.18 on in block_states { palette, data }, where a missing data means one block throughout.
#include <algorithm>
#include <array>

#include "renderer/blocks/block_names.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/section_range.h"

namespace sgrender {

namespace {

struct PaletteBlock {
  uint16_t id = 0;
  uint8_t data = 0;
};

bool readPalette(const NbtTag& palette, std::vector<PaletteBlock>& out, Chunk& c, std::string& error) {
  out.clear();
  if (palette.items.empty() || palette.items.size() > 4096) {
    error = "a section's palette is empty or too long";
    return false;
  }
  for (const NbtTag& entry : palette.items) {
    const NbtTag* name = entry.find("Name", kString);
    const BlockName* b = name ? findBlockName(name->text) : nullptr;
    if (b) {
      out.push_back({b->id, b->data});
    } else {
      out.push_back({kUnknownBlock, 0});
      c.unknownName(name ? std::string_view(name->text) : std::string_view("(no name)"));
    }
  }
  return true;
}

// A section whose palette is air alone holds nothing to draw: the levels above the ground.
bool onlyAir(const NbtTag& palette) {
  if (palette.items.size() != 1) return false;
  const NbtTag* name = palette.items[0].find("Name", kString);
  return name && (name->text == "minecraft:air" || name->text == "air");
}

int bitsFor(size_t paletteSize) {
  int bits = 4;
  while ((size_t(1) << bits) < paletteSize) ++bits;
  return bits;
}

// Whether the longs hold the section's 4096 indexes of `bits` each.
bool longEnough(const std::vector<int64_t>& longs, int bits, bool acrossLongs, std::string& error) {
  const size_t perLong = 64 / bits;
  if (longs.size() >= (acrossLongs ? (4096 * size_t(bits) + 63) / 64 : (4096 + perLong - 1) / perLong)) return true;
  error = "a section's block data is too short for its palette";
  return false;
}

// Calls f(i, index) for the section's 4096 indexes, packed `bits` each across longs (before 1.16).
template <typename F>
void eachIndexAcrossLongs(const std::vector<int64_t>& longs, int bits, F&& f) {
  const uint64_t mask = (uint64_t(1) << bits) - 1;
  for (size_t i = 0; i < 4096; ++i) {
    const size_t bit = i * bits, word = bit / 64, shift = bit % 64;
    uint64_t v = uint64_t(longs[word]) >> shift;
    if (shift + bits > 64) v |= uint64_t(longs[word + 1]) << (64 - shift);
    f(i, v & mask);
  }
}

// The palette looked up by index: every index the bits can hold, those beyond the palette
// marked bad.
struct Lookup {
  uint16_t id = 0;
  uint8_t data = 0;
  uint8_t bad = 1;
};

// The section's indexes, whole in each long from its lowest bits up, `Bits` to an index.
template <int Bits>
uint8_t unpackWhole(const int64_t* longs, const Lookup* table, uint16_t* ids, uint8_t* data) {
  constexpr int perLong = 64 / Bits;
  constexpr uint64_t mask = (uint64_t(1) << Bits) - 1;
  uint8_t bad = 0;
  size_t i = 0;
  for (; i + perLong <= 4096; i += perLong) {
    uint64_t word = uint64_t(*longs++);
#pragma GCC unroll 16
    for (int k = 0; k < perLong; ++k, word >>= Bits) {
      const Lookup& b = table[word & mask];
      ids[i + k] = b.id;
      data[i + k] = b.data;
      bad |= b.bad;
    }
  }
  if constexpr (4096 % perLong != 0) {
    for (uint64_t word = uint64_t(*longs); i < 4096; ++i, word >>= Bits) {
      const Lookup& b = table[word & mask];
      ids[i] = b.id;
      data[i] = b.data;
      bad |= b.bad;
    }
  }
  return bad;
}

// Fills the section's 4096 blocks from the packed indices.
bool unpack(const std::vector<int64_t>& longs, const std::vector<PaletteBlock>& palette, bool acrossLongs,
            Chunk& c, size_t base, std::string& error) {
  const int bits = bitsFor(palette.size());
  const uint64_t mask = (uint64_t(1) << bits) - 1;
  const size_t perLong = 64 / bits;
  if (!longEnough(longs, bits, acrossLongs, error)) return false;
  std::vector<Lookup> table(size_t(1) << bits);
  for (size_t v = 0; v < palette.size(); ++v) table[v] = {palette[v].id, palette[v].data, 0};
  uint16_t* ids = c.ids.data() + base;
  uint8_t* data = c.data.data() + base;
  uint8_t bad = 0;
  if (acrossLongs) {
    eachIndexAcrossLongs(longs, bits, [&](size_t i, uint64_t v) {
      const Lookup& b = table[v];
      ids[i] = b.id;
      data[i] = b.data;
      bad |= b.bad;
    });
  } else {
    switch (bits) {
      case 4: bad = unpackWhole<4>(longs.data(), table.data(), ids, data); break;
      case 5: bad = unpackWhole<5>(longs.data(), table.data(), ids, data); break;
      case 6: bad = unpackWhole<6>(longs.data(), table.data(), ids, data); break;
      case 7: bad = unpackWhole<7>(longs.data(), table.data(), ids, data); break;
      case 8: bad = unpackWhole<8>(longs.data(), table.data(), ids, data); break;
      default:
        for (size_t i = 0, w = 0; i < 4096; ++w) {
          uint64_t word = uint64_t(longs[w]);
          for (size_t k = 0; k < perLong && i < 4096; ++k, ++i, word >>= bits) {
            const Lookup& b = table[word & mask];
            ids[i] = b.id;
            data[i] = b.data;
            bad |= b.bad;
          }
        }
    }
  }
  if (bad) {
    error = "a block's palette index lies beyond the palette";
    return false;
  }
  return true;
}

void readLight(const NbtTag& s, Chunk& c, size_t base) {
  const NbtTag* light = s.find("BlockLight", kByteArray);
  if (!light || light->bytes.size() != 2048) return;
  c.hasLight = true;
  c.readingLight();
  for (size_t i = 0; i < 4096; ++i) c.light[base + i] = nibble(light->bytes, i);
}

// Whether the packed indexes fill the section and lie within the palette, for a section whose
// blocks are left out: it is damaged all the same.
bool indexesFit(const std::vector<int64_t>& longs, size_t paletteSize, bool acrossLongs, std::string& error) {
  const int bits = bitsFor(paletteSize);
  const uint64_t mask = (uint64_t(1) << bits) - 1;
  const size_t perLong = 64 / bits;
  if (!longEnough(longs, bits, acrossLongs, error)) return false;
  if ((size_t(1) << bits) == paletteSize) return true;
  uint64_t beyond = 0;
  if (acrossLongs) {
    eachIndexAcrossLongs(longs, bits, [&](size_t, uint64_t v) { beyond |= v >= paletteSize; });
  } else {
    // Every other index of a long at once: each plus (2^bits - size) carries into the bit above
    // it, which is free, exactly when it lies beyond the palette. The odd ones are shifted down
    // into the even places; the last long holds fewer indexes.
    auto lanes = [&](size_t fields, uint64_t& keep, uint64_t& add, uint64_t& carry) {
      keep = add = carry = 0;
      for (size_t k = 0; k < fields; k += 2) {
        keep |= mask << (k * bits);
        add |= uint64_t((size_t(1) << bits) - paletteSize) << (k * bits);
        carry |= uint64_t(1) << ((k + 1) * bits);
      }
    };
    const size_t whole = 4096 / perLong, rest = 4096 % perLong;
    uint64_t keepEven, addEven, carryEven, keepOdd, addOdd, carryOdd;
    lanes(perLong, keepEven, addEven, carryEven);
    lanes(perLong - 1, keepOdd, addOdd, carryOdd);  // the odd indexes, one place down
    for (size_t w = 0; w < whole; ++w) {
      const uint64_t word = uint64_t(longs[w]);
      beyond |= (((word & keepEven) + addEven) & carryEven) | ((((word >> bits) & keepOdd) + addOdd) & carryOdd);
    }
    if (rest) {
      lanes(rest, keepEven, addEven, carryEven);
      lanes(rest - 1, keepOdd, addOdd, carryOdd);
      const uint64_t word = uint64_t(longs[whole]);
      beyond |= (((word & keepEven) + addEven) & carryEven) | ((((word >> bits) & keepOdd) + addOdd) & carryOdd);
    }
  }
  if (beyond) error = "a block's palette index lies beyond the palette";
  return !beyond;
}

// One section of either era that stores blocks by name.
struct NamedSection {
  const NbtTag* tag = nullptr;
  int y = 0;
  const NbtTag* palette = nullptr;
  const NbtTag* longs = nullptr;  // none: the palette's one block fills the section
};

// Decodes the sections into the chunk: in the order listed, or, when what lies below may be
// hidden, from the top down until it is. Below that, each section's palette and indexes are
// still checked (a damaged chunk says so whatever shows of it), its block light noted, and its
// blocks left as air.
bool decodeNamedSections(std::vector<NamedSection> sections, bool acrossLongs, Chunk& c, std::string& error,
                         const HiddenBelow* hidden) {
  HiddenLevel level(hidden, sections, [](const NamedSection& s) { return s.y; });
  std::vector<PaletteBlock> palette;
  for (const NamedSection& s : sections) {
    const size_t base = c.index(0, s.y * 16, 0);
    if (!readPalette(*s.palette, palette, c, error)) return false;
    if (level.hides(s.y)) {
      if (s.longs && !indexesFit(s.longs->longs, palette.size(), acrossLongs, error)) return false;
      if (const NbtTag* light = s.tag->find("BlockLight", kByteArray); light && light->bytes.size() == 2048)
        c.hasLight = true;
      continue;
    }
    if (!s.longs) {
      // One block fills the section.
      std::fill(c.ids.begin() + base, c.ids.begin() + base + 4096, palette[0].id);
      std::fill(c.data.begin() + base, c.data.begin() + base + 4096, palette[0].data);
    } else if (!unpack(s.longs->longs, palette, acrossLongs, c, base, error)) {
      return false;
    }
    readLight(*s.tag, c, base);
    level.decoded(c, s.y);
  }
  return true;
}

}  // namespace

bool decodePaletteSections(const NbtTag& sections, bool acrossLongs, Chunk& c, std::string& error,
                           const HiddenBelow* hidden) {
  auto hasBlocks = [](const NbtTag& s) {
    const NbtTag* palette = s.find("Palette", kList);
    return palette && !onlyAir(*palette) && s.find("BlockStates", kLongArray) != nullptr;
  };
  for (const NbtTag& s : sections.items) {
    const NbtTag* states = s.type == kCompound ? s.find("BlockStates") : nullptr;
    if (states && states->type != kLongArray) {
      error = "a section's block states are not an array of longs";
      return false;
    }
  }
  if (!sizeToSections(sections, c, hasBlocks, error)) return false;
  c.worldMinY = 0;
  c.worldTop = std::max(256, c.minY + c.height);
  std::vector<NamedSection> named;
  for (const NbtTag& s : sections.items)
    if (s.type == kCompound && hasBlocks(s) && sectionY(s) != INT_MIN)
      named.push_back({&s, sectionY(s), s.find("Palette"), s.find("BlockStates")});
  return decodeNamedSections(std::move(named), acrossLongs, c, error, hidden);
}

bool decodeBlockStateSections(const NbtTag& sections, Chunk& c, std::string& error, const HiddenBelow* hidden) {
  auto hasBlocks = [](const NbtTag& s) {
    const NbtTag* states = s.find("block_states", kCompound);
    const NbtTag* palette = states ? states->find("palette", kList) : nullptr;
    return palette && !onlyAir(*palette);
  };
  if (!sizeToSections(sections, c, hasBlocks, error)) return false;
  // The world's room: from the lowest section it declares (-64 in the game's own worlds).
  int lowestSection = INT_MAX;
  for (const NbtTag& s : sections.items)
    if (s.type == kCompound && sectionY(s) != INT_MIN) lowestSection = std::min(lowestSection, sectionY(s));
  // A section may claim any level number; no world reaches below section -128.
  lowestSection = std::max(lowestSection, -129);
  c.worldMinY = lowestSection == INT_MAX ? -64 : std::min(-64, (lowestSection + 1) * 16);
  c.worldTop = std::max(320, c.minY + c.height);
  std::vector<NamedSection> named;
  for (const NbtTag& s : sections.items) {
    if (s.type != kCompound || !hasBlocks(s) || sectionY(s) == INT_MIN) continue;
    const NbtTag& states = *s.find("block_states");
    const NbtTag* data = states.find("data");
    if (data && data->type != kLongArray) {
      error = "a section's block data is not an array of longs";
      return false;
    }
    named.push_back({&s, sectionY(s), states.find("palette"), data});
  }
  return decodeNamedSections(std::move(named), false, c, error, hidden);
}

}  // namespace sgrender
