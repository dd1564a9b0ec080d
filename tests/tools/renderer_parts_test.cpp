// The renderer's parts on their own: packed block states at the edges of their longs, the LZ4
// block stream, Alpha chunk names, the job's output log name, the block table, the thread pool
// and the demo terrain's determinism.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>

#include "batch/job_failures.h"
#include "renderer/blocks/block_colours.h"
#include "renderer/blocks/block_names.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/work_pool.h"
#include "renderer/world/chunk_bytes.h"
#include "renderer/request_parts.h"
#include "renderer/world/world_layout.h"
#include "support/working_folder.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/demo_terrain.h"
#include "worldgen/nbt_writer.h"
#include "worldgen/world_files.h"

using namespace sgtest;
using namespace sgworld;

namespace {

// A chunk of the palette era with one section whose 4096 blocks cycle through a palette of
// `kinds` names, packed across longs (before 1.16) or within them.
sgrender::Chunk cycling(int kinds, Layout layout) {
  ChunkColumn c(0, 0, lowestLevel(layout), levelCount(layout));
  std::vector<uint16_t> names;
  // Distinct names are what a palette counts: each index has its own name.
  static const char* const many[] = {"stone", "dirt", "sand", "gravel", "oak_planks", "red_wool", "blue_wool",
                                     "lime_wool", "white_wool", "black_wool", "glass", "bricks", "obsidian",
                                     "gold_block", "iron_block", "diamond_block", "emerald_block", "coal_block",
                                     "clay", "ice", "snow_block", "netherrack", "glowstone", "sponge", "tnt",
                                     "bookshelf", "cobblestone", "mossy_cobblestone", "sandstone", "bedrock",
                                     "pumpkin", "melon", "hay_block"};
  for (int k = 0; k < kinds; ++k) names.push_back(c.name(many[k]));
  for (int i = 0; i < 4096; ++i) c.set(i % 16, 16 + i / 256, (i / 16) % 16, names[i % kinds]);
  std::vector<uint8_t> tags = encodeChunk(c, layout);
  sgrender::NbtTag root;
  std::string error;
  EXPECT_TRUE(sgrender::parseNbt(tags.data(), tags.size(), root, error)) << error;
  sgrender::Chunk chunk;
  EXPECT_EQ(sgrender::decodeChunk(root, chunk, error), sgrender::ChunkVerdict::Decoded) << error;
  return chunk;
}

}  // namespace

// Five bits an index (17 to 32 names) is where packing across longs and within them differ:
// 64 is not a multiple of 5, so indices cross long boundaries in the older packing.
TEST(PackedBlockStates, EveryPaletteSizeAndPackingReadsBack) {
  for (Layout layout : {Layout::PaletteAcross, Layout::PaletteWithin, Layout::BlockStates})
    for (int kinds : {1, 2, 16, 17, 31, 33}) {
      SCOPED_TRACE(std::string(layoutWord(layout)) + " " + std::to_string(kinds));
      sgrender::Chunk c = cycling(kinds, layout);
      std::set<std::pair<uint16_t, uint8_t>> seen;  // (id, data): the wools share an id
      for (int i = 0; i < 4096; ++i) {
        int x = i % 16, y = 16 + i / 256, z = (i / 16) % 16;
        seen.insert({c.id(x, y, z), c.dataAt(x, y, z)});
      }
      EXPECT_EQ(static_cast<int>(seen.size()), kinds) << "distinct blocks read back";
      // The cycle repeats exactly: block i and block i + kinds are the same.
      for (int i = 0; i + kinds < 4096; i += 97)
        ASSERT_EQ(c.id(i % 16, 16 + i / 256, (i / 16) % 16),
                  c.id((i + kinds) % 16, 16 + (i + kinds) / 256, ((i + kinds) / 16) % 16))
            << i;
    }
}

TEST(ChunkBytes, TheLz4BlockStreamRawCompressedAndCutShort) {
  std::vector<uint8_t> data(100000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 % 13);
  std::vector<uint8_t> packed = compress(data, Compression::Lz4), out;
  std::string error;
  ASSERT_TRUE(sgrender::unpackLz4Blocks(packed.data(), packed.size(), out, 1 << 20, error)) << error;
  EXPECT_EQ(out, data);
  // Over the limit: refused, not grown.
  EXPECT_FALSE(sgrender::unpackLz4Blocks(packed.data(), packed.size(), out, 1000, error));
  // A stored (raw) block, and a stream that ends without its end mark.
  std::string raw = "LZ4Block";
  raw += char(0x10);
  for (uint32_t v : {3u, 3u, 0u})
    for (int i = 0; i < 4; ++i) raw += char(v >> (8 * i));
  raw += "abc";
  ASSERT_TRUE(sgrender::unpackLz4Blocks(reinterpret_cast<const uint8_t*>(raw.data()), raw.size(), out, 100, error))
      << error;
  EXPECT_EQ(std::string(out.begin(), out.end()), "abc");
  EXPECT_FALSE(sgrender::unpackLz4Blocks(reinterpret_cast<const uint8_t*>(raw.data()), 10, out, 100, error));
}

TEST(WorldLayout, AlphaChunkFilesWithNegativeBase36NamesAndTheirRegions) {
  // c.-a.1b.dat is chunk (-10, 47); its region is (-1, 1).
  std::filesystem::create_directories("alpha/2s/1b");
  std::filesystem::create_directories("alpha/0/0");
  spit("alpha/2s/1b/c.-a.1b.dat", "x");
  spit("alpha/0/0/c.0.0.dat", "x");
  spit("alpha/0/0/c.zz.dat", "not a chunk name");
  sgrender::RenderRequest request;
  request.alpha = true;
  sgrender::WorldChunks chunks;
  std::string error;
  ASSERT_TRUE(sgrender::listWorldChunks("alpha", sgrender::worldQuery(request), chunks, error)) << error;
  ASSERT_EQ(chunks.groups.size(), 2u);
  EXPECT_EQ(chunks.layout, sgrender::StorageLayout::AlphaChunks);
  EXPECT_EQ(chunks.groups[0].regionX, 0);  // rows from north to south: region z 0 first
  EXPECT_EQ(chunks.groups[1].regionX, -1);
  EXPECT_EQ(chunks.groups[1].regionZ, 1);
  EXPECT_EQ(chunks.groups[1].chunks[0].x, -10);
  EXPECT_EQ(chunks.groups[1].chunks[0].z, 47);
  // The range leaves out what lies outside it.
  request.rectangle = sgrender::ChunkRectangle{-20, -5, 40, 50, false};
  ASSERT_TRUE(sgrender::listWorldChunks("alpha", sgrender::worldQuery(request), chunks, error));
  ASSERT_EQ(chunks.groups.size(), 1u);
}

TEST(JobFailures, TheOutputLogIsNamedAfterAnyFileOfTheJob) {
  EXPECT_EQ(sgbatch::jobOutputLog("renderJob12progress.log"), "renderJob12output.log");
  EXPECT_EQ(sgbatch::jobOutputLog("RENDERJOB3layer4.png"), "renderJob3output.log");
  EXPECT_EQ(sgbatch::jobOutputLog("work/renderJob0.bat"), sg::test::native("work/renderJob0output.log"));
  EXPECT_EQ(sgbatch::jobOutputLog("renderJobs.bat"), std::nullopt);
  EXPECT_EQ(sgbatch::jobOutputLog("map.png"), std::nullopt);
  EXPECT_EQ(sgbatch::jobOutputLog(std::vector<std::string>{"custom", "w", "progress", "renderJob7progress.log"}),
            "renderJob7output.log");
  ASSERT_TRUE(sgbatch::appendJobFailure("renderJob7output.log", "render of A", "why"));
  ASSERT_TRUE(sgbatch::appendJobFailure("renderJob7output.log", "post processing", "because"));
  EXPECT_EQ(slurp("renderJob7output.log"), "Failed: render of A: why\r\nFailed: post processing: because\r\n");
}

// The map from above leaves undecoded what lies under a whole block, judged by its id alone.
TEST(BlockColours, ABlocksOpacityIsTheSameWhateverItsDataValue) {
  for (uint16_t id = 0; id < sgrender::kBlockIdLimit; ++id)
    for (uint8_t data = 1; data < 16; ++data)
      ASSERT_EQ(sgrender::blockColour(id, data).a, sgrender::blockColour(id, 0).a) << "id " << id << ", data " << int(data);
}

TEST(BlockTable, NamesIdsAndThePlainestNameOfAnId) {
  ASSERT_NE(sgrender::findBlockName("minecraft:deepslate_diamond_ore"), nullptr);
  EXPECT_EQ(sgrender::findBlockName("deepslate_diamond_ore")->id, 56);
  EXPECT_EQ(sgrender::findBlockName("minecraft:orange_wool")->id, 35);
  EXPECT_EQ(sgrender::findBlockName("orange_wool")->data, 1);
  EXPECT_EQ(sgrender::findBlockName("cave_air")->id, 0);
  EXPECT_EQ(sgrender::findBlockName("no_such_block"), nullptr);
  EXPECT_STREQ(sgrender::blockNameOf(56)->name, "diamond_ore");
  EXPECT_STREQ(sgrender::blockNameOf(8)->name, "water");
  // Every id is below the limit, and every name is found again by itself.
  std::set<std::string> names;
  for (size_t i = 0; i < sgrender::kBlockNameCount; ++i) {
    const auto& b = sgrender::kBlockNames[i];
    EXPECT_LT(b.id, sgrender::kBlockIdLimit) << b.name;
    EXPECT_EQ(sgrender::findBlockName(b.name), &b) << b.name;
    EXPECT_TRUE(names.insert(b.name).second) << b.name;
  }
}

TEST(WorkPoolTest, EveryTaskRunsOnceForAnyNumberOfThreads) {
  for (int threads : {1, 2, 5}) {
    sgrender::WorkPool pool(threads);
    EXPECT_EQ(pool.threads(), threads);
    for (size_t n : {0u, 1u, 7u, 1000u}) {
      std::vector<std::atomic<int>> runs(n);
      pool.run(n, [&](size_t i) { runs[i]++; });
      for (size_t i = 0; i < n; ++i) ASSERT_EQ(runs[i].load(), 1) << threads << " " << n << " " << i;
    }
  }
  EXPECT_GE(sgrender::usableCores(), 1);
}

TEST(DemoTerrain, TheSameSeedGivesTheSameWorldAndAnotherSeedAnother) {
  auto a = demoChunk(3, -2, 7, Layout::BlockStates, false), b = demoChunk(3, -2, 7, Layout::BlockStates, false);
  auto c = demoChunk(3, -2, 8, Layout::BlockStates, false);
  EXPECT_EQ(a.blocks, b.blocks);
  EXPECT_EQ(a.light, b.light);
  EXPECT_NE(a.blocks, c.blocks);
  // The same terrain in the 128 levels of Beta as in the 384 of the newest layout, above 0.
  auto beta = demoChunk(3, -2, 7, Layout::Beta, false);
  for (int x = 0; x < 16; x += 5)
    for (int z = 0; z < 16; z += 5)
      for (int y = 1; y < 120; y += 3) ASSERT_EQ(a.names[a.at(x, y, z)], beta.names[beta.at(x, y, z)]) << x << y << z;
  EXPECT_GE(demoSurface(100, 100, 7), 40);
  EXPECT_LE(demoSurface(100, 100, 7), 110);
}
