// Sections read back block for block, whatever the palette's size (and so the bits an index
// takes) and however the indexes are packed; below a level that hides them, sections are left
// as air but still checked.
#include <gtest/gtest.h>

#include <random>

#include "renderer/blocks/block_names.h"
#include "renderer/formats/decode_chunk.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/nbt_writer.h"

using namespace sgworld;

namespace {

// A chunk of a section's worth of levels holding `kinds` different blocks at random places.
ChunkColumn mixedColumn(int kinds, Layout layout, unsigned seed) {
  ChunkColumn c(0, 0, lowestLevel(layout), levelCount(layout));
  std::vector<uint16_t> names;
  for (size_t i = 0; names.size() < size_t(kinds) && i < sgrender::kBlockNameCount; ++i)
    if (std::string_view(sgrender::kBlockNames[i].name) != "air")
      names.push_back(c.name(sgrender::kBlockNames[i].name));
  std::mt19937 random(seed);
  const int base = lowestLevel(layout) + 16;
  for (int y = base; y < base + 16; ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) c.set(x, y, z, names[random() % names.size()]);
  return c;
}

// Hides what lies below once every column holds a block other than air.
class HiddenUnderAnyBlock : public sgrender::HiddenBelow {
 public:
  bool hides(const sgrender::Chunk& c, int bottom, int top, std::array<uint8_t, 256>& covered) const override {
    ++calls;
    int count = 0;
    for (int col = 0; col < 256; ++col) {
      for (int y = top; !covered[size_t(col)] && y >= bottom; --y)
        if (c.id(col & 15, y, col >> 4) != 0) covered[size_t(col)] = 1;
      count += covered[size_t(col)];
    }
    return count == 256;
  }
  mutable int calls = 0;
};

sgrender::ChunkVerdict decodeTags(const std::vector<uint8_t>& tags, sgrender::Chunk& chunk, std::string& error,
                                  const sgrender::HiddenBelow* hidden = nullptr) {
  sgrender::NbtTag root;
  if (!sgrender::parseNbt(tags.data(), tags.size(), root, error)) return sgrender::ChunkVerdict::Damaged;
  return sgrender::decodeChunk(root, chunk, error, hidden);
}

// Packs indexes into longs as a palette section stores them, across longs or within them.
std::vector<int64_t> packIndexes(const std::vector<uint16_t>& indexes, int bits, bool across) {
  std::vector<int64_t> longs;
  if (across) {
    longs.assign((indexes.size() * bits + 63) / 64, 0);
    for (size_t i = 0; i < indexes.size(); ++i) {
      const size_t bit = i * bits, word = bit / 64, shift = bit % 64;
      longs[word] = int64_t(uint64_t(longs[word]) | uint64_t(indexes[i]) << shift);
      if (shift + bits > 64) longs[word + 1] = int64_t(uint64_t(longs[word + 1]) | uint64_t(indexes[i]) >> (64 - shift));
    }
    return longs;
  }
  const size_t perLong = 64 / bits;
  longs.assign((indexes.size() + perLong - 1) / perLong, 0);
  for (size_t i = 0; i < indexes.size(); ++i)
    longs[i / perLong] = int64_t(uint64_t(longs[i / perLong]) | uint64_t(indexes[i]) << (i % perLong * bits));
  return longs;
}

// A chunk of two sections: stone throughout section 1, and below it section 0 with a palette
// of `size` blocks and the indexes given.
std::vector<uint8_t> twoSections(Layout layout, int size, const std::vector<int64_t>& lower) {
  NbtWriter w;
  const bool newest = layout == Layout::BlockStates;
  w.intTag("DataVersion", newest ? 3953 : layout == Layout::PaletteWithin ? 2586 : 1976);
  if (!newest) w.beginCompound("Level");
  w.intTag("xPos", 0);
  w.intTag("zPos", 0);
  w.stringTag("Status", newest ? "minecraft:full" : "full");
  w.beginCompoundList(newest ? "sections" : "Sections", 2);
  for (int y : {0, 1}) {
    w.byteTag("Y", static_cast<int8_t>(y));
    if (newest) w.beginCompound("block_states");
    const int entries = y == 1 ? 1 : size;
    w.beginCompoundList(newest ? "palette" : "Palette", entries);
    for (int i = 0; i < entries; ++i) {
      w.stringTag("Name", std::string("minecraft:") + (y == 1 ? "stone" : sgrender::kBlockNames[i + 1].name));
      w.endCompound();
    }
    if (y == 0) w.longArray(newest ? "data" : "BlockStates", lower);
    else if (!newest) w.longArray("BlockStates", std::vector<int64_t>(256, 0));
    if (newest) w.endCompound();
    w.endCompound();
  }
  if (!newest) w.endCompound();
  return w.finish();
}

}  // namespace

TEST(PaletteSections, SectionsUnderAHiddenLevelAreAirButStillChecked) {
  for (const Layout layout : {Layout::PaletteAcross, Layout::PaletteWithin, Layout::BlockStates}) {
    const bool across = layout == Layout::PaletteAcross;
    for (const int size : {5, 16, 17, 40, 100, 129, 300, 600}) {
      SCOPED_TRACE(std::string(layoutWord(layout)) + ", palette of " + std::to_string(size));
      int bits = 4;
      while ((1 << bits) < size) ++bits;
      std::mt19937 random(static_cast<unsigned>(size));
      std::vector<uint16_t> indexes(4096);
      for (auto& i : indexes) i = static_cast<uint16_t>(random() % size);
      // Good indexes: the section above hides the one below, which reads as air.
      {
        std::string error;
        sgrender::Chunk whole, top;
        HiddenUnderAnyBlock hidden;
        const auto tags = twoSections(layout, size, packIndexes(indexes, bits, across));
        ASSERT_EQ(decodeTags(tags, whole, error), sgrender::ChunkVerdict::Decoded) << error;
        ASSERT_EQ(decodeTags(tags, top, error, &hidden), sgrender::ChunkVerdict::Decoded) << error;
        EXPECT_EQ(hidden.calls, 1);
        ASSERT_EQ(top.minY, whole.minY);
        ASSERT_EQ(top.height, whole.height);
        int differ = 0, lowerSolid = 0;
        for (int y = 0; y < 32; ++y)
          for (int z = 0; z < 16; ++z)
            for (int x = 0; x < 16; ++x) {
              if (y >= 16) differ += top.id(x, y, z) != whole.id(x, y, z);
              else lowerSolid += top.id(x, y, z) != 0;
            }
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(lowerSolid, 0);
      }
      // One index beyond the palette, first or last in the section, or the data cut short: the
      // chunk is damaged whether the section shows or not.
      for (const size_t at : {size_t(0), size_t(2049), size_t(4095)}) {
        if ((1 << bits) == size) break;  // no index can lie beyond the palette
        std::vector<uint16_t> bad = indexes;
        bad[at] = static_cast<uint16_t>(size + random() % ((1 << bits) - size));
        for (const bool hide : {false, true}) {
          std::string error;
          sgrender::Chunk chunk;
          HiddenUnderAnyBlock hidden;
          EXPECT_EQ(decodeTags(twoSections(layout, size, packIndexes(bad, bits, across)), chunk, error,
                               hide ? &hidden : nullptr),
                    sgrender::ChunkVerdict::Damaged)
              << "index at " << at << (hide ? ", hidden" : "");
          EXPECT_NE(error.find("beyond the palette"), std::string::npos) << error;
        }
      }
      std::vector<int64_t> cut = packIndexes(indexes, bits, across);
      cut.pop_back();
      std::string error;
      sgrender::Chunk chunk;
      HiddenUnderAnyBlock hidden;
      EXPECT_EQ(decodeTags(twoSections(layout, size, cut), chunk, error, &hidden), sgrender::ChunkVerdict::Damaged);
      EXPECT_NE(error.find("too short"), std::string::npos) << error;
    }
  }
}

// Palettes larger than the small ones of PackedBlockStates: 6 to 10 bits an index, each
// block at a random place.
TEST(PaletteSections, LargePalettesReadBackBlockForBlock) {
  for (const int kinds : {40, 63, 100, 127, 200, 255, 300, 600}) {
    for (const Layout layout : {Layout::PaletteAcross, Layout::PaletteWithin, Layout::BlockStates}) {
      SCOPED_TRACE("kinds " + std::to_string(kinds) + ", layout " + layoutWord(layout));
      const ChunkColumn column = mixedColumn(kinds, layout, static_cast<unsigned>(kinds));
      const std::vector<uint8_t> tags = encodeChunk(column, layout);
      sgrender::NbtTag root;
      std::string error;
      ASSERT_TRUE(sgrender::parseNbt(tags.data(), tags.size(), root, error)) << error;
      sgrender::Chunk chunk;
      ASSERT_EQ(sgrender::decodeChunk(root, chunk, error), sgrender::ChunkVerdict::Decoded) << error;
      int wrong = 0;
      const int base = lowestLevel(layout) + 16;
      for (int y = base; y < base + 16; ++y)
        for (int z = 0; z < 16; ++z)
          for (int x = 0; x < 16; ++x) {
            const sgrender::BlockName* want = sgrender::findBlockName(column.names[column.at(x, y, z)]);
            ASSERT_NE(want, nullptr);
            wrong += chunk.id(x, y, z) != want->id || chunk.dataAt(x, y, z) != want->data;
          }
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(NumericSections, SectionsUnderAHiddenLevelAreAirButStillChecked) {
  ChunkColumn column(0, 0, 0, 256);
  const uint16_t stone = column.name("stone"), dirt = column.name("dirt"), ore = column.name("gold_ore");
  std::mt19937 random(7);
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      column.set(x, 20, z, stone);  // hides everything under section 1
      for (int y = 0; y < 16; ++y) column.set(x, y, z, random() % 2 ? dirt : ore);
    }
  const std::vector<uint8_t> tags = encodeChunk(column, Layout::Numeric);
  std::string error;
  sgrender::Chunk whole, top;
  HiddenUnderAnyBlock hidden;
  ASSERT_EQ(decodeTags(tags, whole, error), sgrender::ChunkVerdict::Decoded) << error;
  ASSERT_EQ(decodeTags(tags, top, error, &hidden), sgrender::ChunkVerdict::Decoded) << error;
  int lowerSolid = 0, wholeSolid = 0;
  for (int y = 0; y < 16; ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) lowerSolid += top.id(x, y, z) != 0, wholeSolid += whole.id(x, y, z) != 0;
  EXPECT_EQ(lowerSolid, 0);
  EXPECT_EQ(wholeSolid, 4096);
  EXPECT_EQ(top.id(3, 20, 4), whole.id(3, 20, 4));
  EXPECT_EQ(top.hasLight, whole.hasLight);

  // A hidden section whose block array is cut short is damage all the same.
  sgrender::NbtTag root;
  ASSERT_TRUE(sgrender::parseNbt(tags.data(), tags.size(), root, error)) << error;
  sgrender::NbtTag* level = nullptr;
  for (auto& f : root.fields)
    if (f.name == "Level") level = &f.tag;
  ASSERT_NE(level, nullptr);
  for (auto& f : level->fields)
    if (f.name == "Sections")
      for (auto& section : f.tag.items)
        if (section.find("Y")->number == 0)
          for (auto& g : section.fields)
            if (g.name == "Blocks") g.tag.bytes.resize(100);
  sgrender::Chunk damaged;
  HiddenUnderAnyBlock hidden2;
  EXPECT_EQ(sgrender::decodeChunk(root, damaged, error, &hidden2), sgrender::ChunkVerdict::Damaged);
  EXPECT_NE(error.find("4096 bytes"), std::string::npos) << error;
}
