// Damaged and hostile world files: none crashes or hangs the renderer, none makes it ask for
// more memory than a real chunk needs, and the rest of the world is still drawn.
#include <gtest/gtest.h>

#include <sstream>

#include "batch/windows_arguments.h"
#include "renderer/formats/nbt.h"
#include "renderer/renderer.h"
#include "render_call.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/nbt_writer.h"
#include "worldgen/world_files.h"

using namespace sgtest;
using namespace sgworld;

namespace {

// A good chunk at local (0, 0): stone at level 10 everywhere.
std::vector<uint8_t> goodChunk() {
  ChunkColumn c(0, 0, -64, 384);
  uint16_t stone = c.name("stone");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) c.set(x, 10, z, stone);
  return encodeChunk(c, Layout::BlockStates);
}

// A 1.18 chunk whose one section has the palette and packed data given.
std::vector<uint8_t> sectionChunk(int paletteSize, const std::vector<int64_t>& data) {
  NbtWriter w;
  w.intTag("DataVersion", 3953);
  w.stringTag("Status", "minecraft:full");
  w.beginCompoundList("sections", 1);
  w.byteTag("Y", 0);
  w.beginCompound("block_states");
  w.beginCompoundList("palette", paletteSize);
  for (int i = 0; i < paletteSize; ++i) {
    w.stringTag("Name", i == 0 ? "minecraft:air" : "minecraft:stone");
    w.endCompound();
  }
  w.longArray("data", data);
  w.endCompound();
  w.endCompound();
  return w.finish();
}

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

// Writes region r.0.0.mca with the good chunk at (0,0) and the damaged payload at (1,0).
void worldWith(const std::string& folder, std::vector<uint8_t> payload, int method) {
  RegionWriter r;
  r.put(0, 0, compress(goodChunk(), Compression::Zlib), 2);
  r.put(1, 0, std::move(payload), method);
  ASSERT_TRUE(r.write(folder + "/region", 0, 0, "mca"));
}

void expectRestDrawn(const std::string& folder, const std::string& reason) {
  Render r("custom " + folder + " verbosity 3 outfile " + folder + ".png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_NE(r.errors.str().find(reason), std::string::npos) << r.errors.str();
  auto im = readImage(folder + ".png");
  ASSERT_EQ(im.width(), 32);
  EXPECT_EQ(im.at(0, 0).a, 255);
  EXPECT_EQ(im.at(16, 0).a, 0);
}

}  // namespace

TEST(DamagedWorlds, ChunkDataThatContradictsItself) {
  // A palette index beyond the palette: two entries, index 5 everywhere.
  std::vector<int64_t> fives(256, 0x5555555555555555LL);
  worldWith("index", compress(sectionChunk(2, fives), Compression::Zlib), 2);
  expectRestDrawn("index", "palette index lies beyond the palette");
  // Data too short for a palette of 20 (5 bits: 342 longs needed).
  worldWith("short", compress(sectionChunk(20, {1, 2, 3}), Compression::Zlib), 2);
  expectRestDrawn("short", "block data is too short");
  // An unknown compression, and LZ4 data that lies.
  worldWith("method", bytesOf("xxxx"), 9);
  expectRestDrawn("method", "unknown compression 9");
  worldWith("lz4", bytesOf(std::string("LZ4Block\x20\xff\xff\xff\x7f\x10\x00\x00\x00\x00\x00\x00\x00", 21)), 4);
  expectRestDrawn("lz4", "LZ4 block runs past");
  // A chunk kept in a file of its own that is not there.
  worldWith("mcc", {}, 2 | 128);
  std::filesystem::remove("mcc/region/c.1.0.mcc");
  expectRestDrawn("mcc", "external file c.1.0.mcc is missing");
}

TEST(DamagedWorlds, TagsThatWouldTakeAllMemoryOrStack) {
  // A compound holding a list of 60,000,000 empty lists, and one of 1,100,000 empty compounds
  // (a megabyte that would cost a gigabyte as tags): refused before anything is allocated.
  std::string lists("\x0a\x00\x00\x09\x00\x01L\x09\x03\x93\x87\x00", 12);
  lists += std::string(5 * 100000, '\0');
  worldWith("lists", compress(bytesOf(lists), Compression::Zlib), 2);
  expectRestDrawn("lists", "a length runs past the data");
  std::string tags("\x0a\x00\x00\x09\x00\x01L\x0a\x00\x10\xc8\xe0", 12);
  tags += std::string(1100000 + 2, '\0');
  worldWith("compounds", compress(bytesOf(tags), Compression::Zlib), 2);
  expectRestDrawn("compounds", "its tags would take more memory than any chunk's");
  sgrender::NbtTag root;
  std::string error;
  std::vector<uint8_t> raw = bytesOf(tags);
  EXPECT_FALSE(sgrender::parseNbt(raw.data(), raw.size(), root, error));
  // Lists nested 10,000 deep.
  std::string deep("\x0a\x00\x00\x09\x00\x01L", 7);
  for (int i = 0; i < 10000; ++i) deep += std::string("\x09\x00\x00\x00\x01", 5);
  deep += std::string("\x00\x00\x00\x00\x00\x00", 6);
  worldWith("deep", compress(bytesOf(deep), Compression::Zlib), 2);
  expectRestDrawn("deep", "nested too deeply");
}

TEST(DamagedWorlds, RegionFilesCutShortOrLyingAboutTheirChunks) {
  ASSERT_TRUE(writeBytes("cut/region/r.0.0.mca", std::vector<uint8_t>(100, 7)));  // the table cut short
  RegionWriter good;
  good.put(0, 0, compress(goodChunk(), Compression::Zlib), 2);
  ASSERT_TRUE(good.write("cut/region", 1, 0, "mca"));
  ASSERT_TRUE(writeBytes("cut/region/r.2.0.mca", {}));  // the game leaves empty files behind
  Render r("custom cut outfile cut.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_NE(r.errors.str().find("chunk table is cut short"), std::string::npos) << r.errors.str();
  EXPECT_EQ(readImage("cut.png").at(0, 0).a, 255);

  // A chunk whose sector lies past the end, and one whose length says 2^31.
  ASSERT_TRUE(good.write("lying/region", 0, 0, "mca"));
  std::string region = slurp("lying/region/r.0.0.mca");
  const size_t last = region.size() / 4096;
  region[4] = '\x00', region[5] = '\x7f', region[6] = '\x00', region[7] = '\x01';  // chunk (1,0): far away
  region[8] = '\x00', region[9] = '\x00', region[10] = char(last), region[11] = '\x01';  // chunk (2,0)
  region += std::string("\x80\x00\x00\x00\x02", 5) + std::string(4091, 'z');
  spit("lying/region/r.0.0.mca", region);
  Render lying("custom lying verbosity 3 outfile lying.png");
  EXPECT_NE(lying.errors.str().find("sector lies outside the file"), std::string::npos) << lying.errors.str();
  EXPECT_NE(lying.errors.str().find("length runs past the file"), std::string::npos) << lying.errors.str();
}

TEST(DamagedWorlds, ARenderThatDrawsNothingSaysWhyAndFailsTheJob) {
  std::filesystem::create_directories("bare/region");
  Render bare("custom bare name \"Bare\" progress renderJob3progress.log outfile o.png");
  EXPECT_EQ(bare.status, 1);
  EXPECT_NE(bare.errors.str().find("nothing drawn of world 'bare': it holds no region files"), std::string::npos)
      << bare.errors.str();
  EXPECT_FALSE(exists("o.png"));
  EXPECT_EQ(slurp("renderJob3output.log"),
            "Failed: render of Bare: nothing drawn of world 'bare': it holds no region files (region/r.X.Z.mca or "
            ".mcr) and no Alpha chunk files\r\n");

  RegionWriter broken;
  broken.put(0, 0, bytesOf("not zlib"), 2);
  broken.put(1, 0, bytesOf("nor this"), 2);
  ASSERT_TRUE(broken.write("broken/region", 0, 0, "mca"));
  Render all("custom broken progress renderJob4progress.log outfile o.png");
  EXPECT_EQ(all.status, 1);
  EXPECT_NE(all.errors.str().find("all 2 chunks are unreadable; the first: chunk 0,0 in r.0.0.mca"), std::string::npos)
      << all.errors.str();
  EXPECT_NE(slurp("renderJob4output.log").find("Failed: render of map: nothing drawn of world 'broken'"),
            std::string::npos);
}
