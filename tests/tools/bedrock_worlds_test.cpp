// Bedrock worlds: sub-chunks of every version and bit width decode block for block, the water
// of waterlogged blocks shows only where nothing else stands, and a scene written as a Java
// 1.21 world and as a Bedrock world gives the same picture in every style and orientation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "imaging/png_file.h"
#include "render_call.h"
#include "renderer/blocks/block_names.h"
#include "renderer/formats/decode_bedrock.h"
#include "renderer/world/bedrock/bedrock_world.h"
#include "renderer/world/level_file.h"
#include "worldgen/bedrock_chunks.h"
#include "worldgen/demo_world.h"

namespace fs = std::filesystem;
using sgrender::Chunk;

namespace {

// A Bedrock demo world of chunks x chunks, without a Nether.
void writeBedrockDemo(const std::string& folder, int chunks) {
  sgworld::DemoWorld w;
  w.folder = folder;
  w.chunksX = w.chunksZ = chunks;
  w.nether = false;
  w.bedrock = true;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(w, error)) << error;
}

const std::vector<std::string> kBlocks = {"stone", "dirt", "grass_block", "oak_planks", "white_wool", "red_wool",
                                          "sand", "gravel", "oak_log", "glass", "water", "obsidian",
                                          "gold_block", "iron_block", "diamond_block", "bricks", "tnt"};

uint16_t idOf(const std::string& name) {
  const sgrender::BlockName* b = sgrender::findBlockName(name);
  return b ? b->id : sgrender::kUnknownBlock;
}

// 4096 names in the store's order, using `distinct` of them.
std::vector<std::string> pattern(size_t distinct) {
  std::vector<std::string> blocks(4096);
  for (size_t i = 0; i < 4096; ++i) blocks[i] = distinct == 1 ? "stone" : kBlocks[(i * 7 + i / 16) % distinct];
  return blocks;
}

void expectBlocks(const Chunk& c, int level, const std::vector<std::string>& blocks) {
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = 0; y < 16; ++y) {
        const std::string& want = blocks[size_t((x * 16 + z) * 16 + y)];
        ASSERT_EQ(c.id(x, level * 16 + y, z), idOf(want)) << want << " at " << x << " " << y << " " << z;
      }
}

}  // namespace

TEST(BedrockSubChunks, EveryVersionAndBitWidthDecodesBlockForBlock) {
  for (int version : {1, 8, 9})
    for (int bits : {0, 1, 2, 3, 4, 5, 6, 8, 16}) {
      SCOPED_TRACE("version " + std::to_string(version) + ", " + std::to_string(bits) + " bits");
      const size_t distinct = bits == 0 ? 1 : std::min<size_t>(kBlocks.size(), size_t(1) << std::min(bits, 5));
      const auto blocks = pattern(distinct);
      Chunk c;
      c.reset(-64, 384);
      std::string error;
      // Version 9 says its own level; the others take the key's.
      const std::string value = sgworld::encodeSubChunk(blocks, version == 9 ? -2 : 3, version, bits);
      ASSERT_TRUE(sgrender::decodeSubChunk(value, 3, c, error)) << error;
      expectBlocks(c, version == 9 ? -2 : 3, blocks);
    }
}

TEST(BedrockSubChunks, NamesSaidByStatesDecodeAsTheirOwnNames) {
  const auto blocks = pattern(kBlocks.size());
  Chunk flat, stated;
  flat.reset(0, 256);
  stated.reset(0, 256);
  std::string error;
  ASSERT_TRUE(sgrender::decodeSubChunk(sgworld::encodeSubChunk(blocks, 0, 9, -1, {}, false), 0, flat, error)) << error;
  ASSERT_TRUE(sgrender::decodeSubChunk(sgworld::encodeSubChunk(blocks, 0, 9, -1, {}, true), 0, stated, error)) << error;
  EXPECT_EQ(flat.ids, stated.ids);
  EXPECT_EQ(stated.unknownNames, 0);
  expectBlocks(stated, 0, blocks);
}

TEST(BedrockSubChunks, WaterOfTheSecondLayerShowsOnlyWhereTheFirstIsAir) {
  std::vector<std::string> blocks(4096, "air"), water(4096, "air");
  blocks[0] = "oak_fence";  // a waterlogged fence
  water[0] = "water";
  water[1] = "water";  // open water
  Chunk c;
  c.reset(0, 256);
  std::string error;
  ASSERT_TRUE(sgrender::decodeSubChunk(sgworld::encodeSubChunk(blocks, 0, 8, -1, water), 0, c, error)) << error;
  EXPECT_EQ(c.id(0, 0, 0), idOf("oak_fence"));
  EXPECT_EQ(c.id(0, 1, 0), idOf("water"));
  EXPECT_EQ(c.id(0, 2, 0), 0);
}

TEST(BedrockSubChunks, HostileValuesAreRefusedWithAReason) {
  Chunk c;
  c.reset(0, 256);
  std::string error;
  std::string good = sgworld::encodeSubChunk(pattern(4), 0, 9, 2);
  for (size_t cut : {size_t(0), size_t(2), size_t(5), size_t(100), good.size() - 3}) {
    EXPECT_FALSE(sgrender::decodeSubChunk(good.substr(0, cut), 0, c, error)) << cut;
    EXPECT_FALSE(error.empty());
  }
  std::string badBits = good;
  badBits[3] = static_cast<char>(7 << 1);  // 7 bits to a block
  EXPECT_FALSE(sgrender::decodeSubChunk(badBits, 0, c, error));
  EXPECT_NE(error.find("7 bits"), std::string::npos) << error;
  std::string old(1, '\x02');
  old += std::string(6144, '\0');
  EXPECT_FALSE(sgrender::decodeSubChunk(old, 0, c, error));
  EXPECT_NE(error.find("does not read"), std::string::npos) << error;
  std::string outside = sgworld::encodeSubChunk(pattern(1), 40, 9, 0);
  EXPECT_FALSE(sgrender::decodeSubChunk(outside, 0, c, error));
}

namespace {

struct SceneWorlds : ::testing::Test {
  void SetUp() override {
    for (bool bedrock : {false, true}) {
      sgworld::DemoWorld w;
      w.folder = bedrock ? "scene-bedrock" : "scene-java";
      w.chunksX = w.chunksZ = 6;
      w.bedrock = bedrock;
      std::string error;
      ASSERT_TRUE(sgworld::writeDemoWorld(w, error)) << error;
    }
  }
  static sgimage::RgbaImage render(const std::string& world, const std::string& words, const std::string& out) {
    sgtest::Render r("custom \"" + fs::absolute(world).string() + "\" name \"scene\" " + words + " nocache outfile " + out);
    EXPECT_EQ(r.status, 0) << r.errors.str();
    sgimage::RgbaImage image;
    std::string error;
    EXPECT_TRUE(sgimage::readPng(out, image, error)) << error;
    return image;
  }
  // The Java world and the Bedrock world drawn with these words give the same pixels.
  static void expectSamePicture(const std::string& words) {
    const auto java = render("scene-java", words, "java.png");
    const auto bedrock = render("scene-bedrock", words, "bedrock.png");
    ASSERT_EQ(java.width(), bedrock.width());
    ASSERT_EQ(java.height(), bedrock.height());
    size_t differ = 0;
    for (int y = 0; y < java.height(); ++y)
      for (int x = 0; x < java.width(); ++x) differ += !(java.at(x, y) == bedrock.at(x, y));
    EXPECT_EQ(differ, 0u);
  }
};

}  // namespace

TEST_F(SceneWorlds, TheSameSceneGivesTheSamePictureInEveryStyleAndOrientation) {
  for (const char* style : {"normal", "heightmapcolor", "heightmapgray", "lightmap", "oblique", "obliqueangled", "isometric"})
    for (const char* orientation : {"north", "east", "south", "west"}) {
      const std::string words = std::string(style) + " " + orientation;
      SCOPED_TRACE(words);
      expectSamePicture(words);
    }
}

TEST_F(SceneWorlds, TheNetherAndTheOptionsReadTheStoreToo) {
  const auto nether = render("scene-bedrock", "normal north nether", "nether.png");
  const auto javaNether = render("scene-java", "normal north nether", "java-nether.png");
  EXPECT_EQ(nether.width(), javaNether.width());
  for (const char* words : {"normal north cave", "isometric west fool_cake", "normal north onlylayers 1 60",
                            "oblique south rectangle -2 1 -1 2", "normal east lowramwrite night"}) {
    SCOPED_TRACE(words);
    expectSamePicture(words);
  }
  sgtest::Render end("custom \"" + fs::absolute("scene-bedrock").string() + "\" name \"x\" normal north dimension DIM3 outfile x.png");
  EXPECT_NE(end.status, 0);
  EXPECT_NE(end.errors.str().find("no dimension DIM3"), std::string::npos) << end.errors.str();
}

TEST(BedrockWorlds, AChunkTheGameWritesAgainIsDrawnAfreshThroughTheCache) {
  writeBedrockDemo("cached", 2);
  std::string error;
  const std::string args = "custom \"" + fs::absolute("cached").string() + "\" name \"c\" normal north outfile c.png";
  sgtest::Render first(args);
  ASSERT_EQ(first.status, 0) << first.errors.str();
  sgimage::RgbaImage before, after;
  ASSERT_TRUE(sgimage::readPng("c.png", before, error)) << error;
  // The game writes a sub-chunk of gold over chunk (0, 0) into its log.
  std::vector<std::string> gold(4096, "gold_block");
  std::string key = sgworld::bedrockKey(0, 0, 0, sgrender::kSubChunk);
  key += static_cast<char>(10);  // levels 160 to 175, above the terrain
  sgworld::DbLayout more;
  {
    // Rewrite the store with the old tables kept as they are and one batch in the log.
    sgrender::LevelDb db;
    ASSERT_TRUE(db.open("cached/db", error)) << error;
    std::vector<sgrender::DbRecord> all;
    ASSERT_TRUE(db.withPrefix("", all, error)) << error;
    std::vector<sgworld::DbWrite> table;
    for (auto& r : all) table.push_back({r.key, r.value});
    more.tables = {table};
  }
  more.logBatches = {{{key, sgworld::encodeSubChunk(gold, 10, 9)}}};
  fs::remove_all("cached/db");
  ASSERT_TRUE(sgworld::writeLevelDb("cached/db", more, error)) << error;
  sgtest::Render second(args);
  ASSERT_EQ(second.status, 0) << second.errors.str();
  ASSERT_TRUE(sgimage::readPng("c.png", after, error)) << error;
  ASSERT_EQ(before.width(), after.width());
  // Chunk (0, 0) is the map's south-east quarter, seen from the north.
  const int x = after.width() * 3 / 4, y = after.height() * 3 / 4;
  EXPECT_NE(before.at(x, y), after.at(x, y));
}

TEST(BedrockWorlds, AStoreOfManyTablesDrawsTheSameMapOnAnyNumberOfThreads) {
  // Enough chunks for several tables, as a compaction leaves them; the listing reads them on
  // every thread and keeps the blocks it inflated for the chunks' reading.
  writeBedrockDemo("tables", 24);
  size_t tables = 0;
  for (const auto& e : fs::directory_iterator("tables/db")) tables += e.path().extension() == ".ldb";
  EXPECT_GT(tables, 2u);
  std::string error;
  sgimage::RgbaImage images[2];
  const char* threads[2] = {"1", "3"};
  for (int i = 0; i < 2; ++i) {
    sgtest::Render r("custom \"" + fs::absolute("tables").string() + "\" name \"t\" normal north nocache threads " +
                     threads[i] + " outfile t" + threads[i] + ".png");
    ASSERT_EQ(r.status, 0) << r.errors.str();
    EXPECT_EQ(r.errors.str().find("skipped"), std::string::npos) << r.errors.str();
    ASSERT_TRUE(sgimage::readPng(std::string("t") + threads[i] + ".png", images[i], error)) << error;
  }
  ASSERT_EQ(images[0].width(), 24 * 16);
  ASSERT_EQ(images[0].height(), images[1].height());
  ASSERT_EQ(images[0].width(), images[1].width());
  size_t drawn = 0, same = 0;
  for (int y = 0; y < images[0].height(); ++y)
    for (int x = 0; x < images[0].width(); ++x) {
      drawn += images[0].at(x, y).a == 255;
      same += images[0].at(x, y) == images[1].at(x, y);
    }
  EXPECT_EQ(drawn, size_t(24 * 16 * 24 * 16));
  EXPECT_EQ(same, drawn);
}

TEST(BedrockWorlds, ABlockWithNoLookIsCountedAndNamedNeverAHole) {
  sgworld::ChunkColumn chunk(0, 0, -64, 384);
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) chunk.set(x, 60, z, chunk.name(x < 8 ? "stone" : "mystery_block"));
  sgworld::DbLayout db;
  db.tables = {sgworld::bedrockChunkRecords(chunk, {})};
  std::string error;
  ASSERT_TRUE(sgworld::writeLevelDb("odd/db", db, error)) << error;
  sgtest::Render r("custom \"" + fs::absolute("odd").string() + "\" name \"odd\" normal north listallblocks outfile odd.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_NE(r.errors.str().find("1 palette entries name blocks this renderer does not know"), std::string::npos)
      << r.errors.str();
  EXPECT_NE(r.errors.str().find("the blocks it does not know: minecraft:mystery_block"), std::string::npos)
      << r.errors.str();
  std::ifstream list("oddBlocks.txt");
  std::stringstream text;
  text << list.rdbuf();
  EXPECT_NE(text.str().find("unknown (minecraft:mystery_block) 128:"), std::string::npos) << text.str();
  sgimage::RgbaImage image;
  ASSERT_TRUE(sgimage::readPng("odd.png", image, error)) << error;
  EXPECT_EQ(image.at(12, 5).a, 255);  // drawn in the fallback colour, not left clear
}

TEST(BedrockWorlds, ADamagedBlockOfTheStoreSkipsItsChunksAndTheRestIsDrawn) {
  writeBedrockDemo("damaged", 4);
  std::string error;
  {
    std::fstream f("damaged/db/000003.ldb", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(100);
    f.put('\x55');
    f.put('\xaa');
  }
  sgtest::Render r("custom \"" + fs::absolute("damaged").string() + "\" name \"d\" normal north nocache outfile d.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_NE(r.errors.str().find("skipped"), std::string::npos) << r.errors.str();
  EXPECT_NE(r.errors.str().find("checksum does not match"), std::string::npos) << r.errors.str();
  sgimage::RgbaImage image;
  ASSERT_TRUE(sgimage::readPng("d.png", image, error)) << error;
  size_t drawn = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) drawn += image.at(x, y).a == 255;
  EXPECT_GT(drawn, size_t(image.width() * image.height()) / 2);
}

TEST(BedrockWorlds, TheSpawnIsReadFromTheLittleEndianLevelFile) {
  // The header (version, length), then a root compound with SpawnX, SpawnY and SpawnZ.
  std::string tags = std::string("\x0a\x00\x00", 3);
  auto putInt = [&](const std::string& name, int32_t v) {
    tags += '\x03';
    tags += static_cast<char>(name.size());
    tags += '\0';
    tags += name;
    for (int k = 0; k < 4; ++k) tags += static_cast<char>(uint32_t(v) >> (8 * k) & 255);
  };
  putInt("SpawnX", -17);
  putInt("SpawnY", 70);
  putInt("SpawnZ", 4242);
  tags += '\0';
  std::string file = std::string("\x0a\x00\x00\x00", 4);
  for (int k = 0; k < 4; ++k) file += static_cast<char>(tags.size() >> (8 * k) & 255);
  fs::create_directories("w");
  std::ofstream("w/level.dat", std::ios::binary) << file << tags;
  EXPECT_EQ(sgrender::spawnOf("w"), (std::pair<int, int>(-17, 4242)));
  std::ofstream("w/level.dat", std::ios::binary) << file.substr(0, 10);
  EXPECT_FALSE(sgrender::spawnOf("w"));
}
