// Sections stored by name read back block for block, whatever the palette's size (and so the
// bits an index takes) and however the indexes are packed.
#include <gtest/gtest.h>

#include <random>

#include "renderer/blocks/block_names.h"
#include "renderer/formats/decode_chunk.h"
#include "worldgen/chunk_encoders.h"

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

}  // namespace

TEST(PaletteSections, EveryPaletteSizeAndPackingReadsBackBlockForBlock) {
  // 4 bits an index up to 16 kinds (with air), then one bit more each doubling, up to 10.
  for (const int kinds : {1, 2, 15, 16, 31, 40, 63, 100, 127, 200, 255, 300, 600}) {
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
