// A freshly explored world is mostly chunks the game has not finished generating: the projected
// maps leave them out before the canvas is laid out, so the picture spans what is drawn.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "render_call.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/world_files.h"

using sgtest::Render;
using sgtest::slurp;
using sgworld::ChunkColumn;
using sgworld::Compression;
using sgworld::Layout;

namespace {

// A finished 2 x 2 of grass hills in region 0,0, and, when asked, unfinished chunks far around
// (or chunks with another status), all saved at `saved`.
void sparseWorld(const std::string& folder, bool withUnfinished, const char* farStatus = "noise", int saved = 1767225600) {
  sgworld::RegionWriter r;
  for (int cx = 0; cx < 2; ++cx)
    for (int cz = 0; cz < 2; ++cz) {
      ChunkColumn c(cx, cz, -64, 384);
      const uint16_t grass = c.name("grass_block"), stone = c.name("stone");
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z) {
          const int top = 62 + (x + z + cx * 7) % 9;
          for (int y = -64; y < top; ++y) c.set(x, y, z, stone);
          c.set(x, top, z, grass);
        }
      r.put(cx, cz, sgworld::compress(sgworld::encodeChunk(c, Layout::BlockStates), Compression::Zlib), 2);
    }
  if (withUnfinished)
    for (auto [cx, cz] : {std::pair(20, 25), std::pair(31, 0), std::pair(0, 31), std::pair(12, 7)}) {
      ChunkColumn c(cx, cz, -64, 384);
      c.status = farStatus;
      const uint16_t stone = c.name("stone");
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z) c.set(x, 10, z, stone);
      r.put(cx, cz, sgworld::compress(sgworld::encodeChunk(c, Layout::BlockStates), Compression::Zlib), 2);
    }
  r.savedAt = static_cast<uint32_t>(saved);
  ASSERT_TRUE(r.write(folder + "/region", 0, 0, "mca"));
}

}  // namespace

TEST(SparseWorlds, TheProjectedMapsSpanTheFinishedChunksAlone) {
  sparseWorld("sparse", true);
  sparseWorld("finished", false);
  for (std::string style : {"isometric", "oblique", "obliqueangled south"}) {
    SCOPED_TRACE(style);
    Render sparse("custom sparse " + style + " nocache outfile sparse.png");
    ASSERT_EQ(sparse.status, 0) << sparse.errors.str();
    EXPECT_NE(sparse.errors.str().find("4 chunks that the game had not finished generating left out"),
              std::string::npos)
        << sparse.errors.str();
    Render finished("custom finished " + style + " nocache outfile finished.png");
    ASSERT_EQ(finished.status, 0) << finished.errors.str();
    EXPECT_EQ(slurp("sparse.png"), slurp("finished.png"));
  }
  // A world of nothing but unfinished chunks still says so.
  sgworld::RegionWriter r;
  ChunkColumn c(3, 3, -64, 384);
  c.status = "noise";
  r.put(3, 3, sgworld::compress(sgworld::encodeChunk(c, Layout::BlockStates), Compression::Zlib), 2);
  ASSERT_TRUE(r.write("bare/region", 0, 0, "mca"));
  Render bare("custom bare isometric nocache outfile bare.png");
  EXPECT_EQ(bare.status, 1);
  EXPECT_NE(bare.errors.str().find("had not finished generating any of its 1 chunks"), std::string::npos)
      << bare.errors.str();
}

TEST(SparseWorlds, AMapTakenFromTheCacheSaysTheRangeItDrew) {
  sparseWorld("sparse", true);
  Render first("custom sparse name m isometric makeoffsetfile verbosity 1 outfile first.png");
  ASSERT_EQ(first.status, 0) << first.errors.str();
  const std::string offsets = slurp("mOffset.txt");
  EXPECT_EQ(offsets, "MinX: 0\r\nMaxX: 1\r\nMinZ: 0\r\nMaxZ: 1\r\n");  // the finished chunks alone
  std::remove("mOffset.txt");
  Render again("custom sparse name m isometric makeoffsetfile verbosity 1 outfile again.png");
  ASSERT_EQ(again.status, 0) << again.errors.str();
  EXPECT_NE(again.errors.str().find("taken from the cache"), std::string::npos) << again.errors.str();
  EXPECT_EQ(slurp("mOffset.txt"), offsets);
  EXPECT_EQ(slurp("again.png"), slurp("first.png"));
}

// What a render found unfinished is kept with the region; a chunk saved since is read again. A
// world whose chunks do not tell when they were saved is read afresh each time.
TEST(SparseWorlds, UnfinishedChunksAreLookedForAgainOnlyInChunksSavedSince) {
  const char* leftOut = "4 chunks that the game had not finished generating left out";
  for (bool stamped : {true, false}) {
    SCOPED_TRACE(stamped ? "saving times stored" : "no saving times");
    std::filesystem::remove_all("sparse");
    sparseWorld("sparse", true, "noise", stamped ? 1 : 0);
    Render first("custom sparse isometric outfile first.png");
    ASSERT_EQ(first.status, 0) << first.errors.str();
    EXPECT_NE(first.errors.str().find(leftOut), std::string::npos) << first.errors.str();
    // The game finished them and saved them again.
    std::filesystem::remove_all("sparse");
    sparseWorld("sparse", true, "full", stamped ? 2 : 0);
    Render finished("custom sparse isometric outfile finished.png");
    ASSERT_EQ(finished.status, 0) << finished.errors.str();
    EXPECT_EQ(finished.errors.str().find(leftOut), std::string::npos) << finished.errors.str();
    Render fresh("custom sparse isometric nocache outfile fresh.png");
    ASSERT_EQ(fresh.status, 0) << fresh.errors.str();
    EXPECT_TRUE(slurp("finished.png") == slurp("fresh.png"));
    EXPECT_FALSE(slurp("finished.png") == slurp("first.png"));
  }
}
