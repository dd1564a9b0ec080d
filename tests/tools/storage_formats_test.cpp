// Every storage layout and chunk compression the game has used, written by the world writer
// and drawn by the renderer: the same world gives the same picture in every one of them, blocks
// stored by name are drawn and filtered by the ids they descend from, and levels below 0 count.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "batch/windows_arguments.h"
#include "renderer/blocks/block_colours.h"
#include "renderer/blocks/block_names.h"
#include "renderer/renderer.h"
#include "render_call.h"
#include "tool_test_support.h"
#include "worldgen/demo_world.h"
#include "worldgen/world_files.h"

using namespace sgtest;
using namespace sgworld;
using sgimage::Rgba;

namespace {

void demo(const std::string& folder, Layout layout, Compression c = Compression::Zlib, bool external = false) {
  DemoWorld w;
  w.folder = folder;
  w.layout = layout;
  w.chunksX = w.chunksZ = 4;
  w.compression = c;
  w.external = external;
  w.nether = false;
  std::string error;
  ASSERT_TRUE(writeDemoWorld(w, error)) << error;
}

long differingPixels(const sgimage::RgbaImage& a, const sgimage::RgbaImage& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  long n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += !(a.at(x, y) == b.at(x, y));
  return n;
}

// A world of one chunk (0,0) in the layout, with the blocks the function places.
void oneChunk(const std::string& folder, Layout layout, const std::function<void(ChunkColumn&)>& place) {
  ChunkColumn c(0, 0, lowestLevel(layout), levelCount(layout));
  place(c);
  WorldFiles files(folder, layout, Compression::Zlib, false);
  files.add(0, 0, encodeChunk(c, layout));
  ASSERT_TRUE(files.finish());
}

// The drawn colour is the block's own, shaded by height: the same proportions of red, green and blue.
bool sameColour(Rgba drawn, Rgba block) {
  double s1 = drawn.r + drawn.g + drawn.b + 1, s2 = block.r + block.g + block.b + 1;
  return drawn.a > 0 && std::abs(drawn.r / s1 - block.r / s2) < 0.04 && std::abs(drawn.g / s1 - block.g / s2) < 0.04 &&
         std::abs(drawn.b / s1 - block.b / s2) < 0.04;
}

}  // namespace

TEST(StorageFormats, EveryLayoutAndCompressionGivesTheSamePicture) {
  // Biomes left out: the eras store them at different grains (a column, or a cell of 4 x 4 x 4),
  // and Alpha and Beta store none; they are compared apart below.
  demo("ref", Layout::BlockStates);
  Render ref("custom ref name \"r\" normal north nobiomes outfile ref.png");
  ASSERT_EQ(ref.status, 0) << ref.errors.str();
  auto expected = readImage("ref.png");
  ASSERT_EQ(expected.width(), 64);

  struct Case {
    const char* name;
    Layout layout;
    Compression compression;
    bool external;
    const char* words;
  };
  const Case cases[] = {
      {"alpha", Layout::Alpha, Compression::Gzip, false, ""},
      {"beta", Layout::Beta, Compression::Zlib, false, ""},
      {"numeric", Layout::Numeric, Compression::Gzip, false, ""},
      {"across", Layout::PaletteAcross, Compression::Zlib, false, ""},
      {"within", Layout::PaletteWithin, Compression::None, false, ""},
      {"lz4", Layout::BlockStates, Compression::Lz4, false, ""},
      {"external", Layout::BlockStates, Compression::Zlib, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    demo(c.name, c.layout, c.compression, c.external);
    Render r(std::string("custom ") + c.name + " name \"x\" normal north nobiomes outfile " + c.name + ".png");
    ASSERT_EQ(r.status, 0) << r.errors.str();
    EXPECT_EQ(r.errors.str().find("skipped"), std::string::npos) << r.errors.str();
    EXPECT_EQ(differingPixels(readImage(std::string(c.name) + ".png"), expected), 0);
  }
  // With biomes, the eras that store them at the same grain give the same picture.
  auto withBiomes = [](const std::string& world) {
    Render r("custom " + world + " normal north outfile b-" + world + ".png");
    EXPECT_EQ(r.status, 0) << r.errors.str();
    return readImage("b-" + world + ".png");
  };
  EXPECT_EQ(differingPixels(withBiomes("numeric"), withBiomes("across")), 0) << "a biome a column";
  EXPECT_EQ(differingPixels(withBiomes("within"), withBiomes("ref")), 0) << "a biome a cell";
  EXPECT_GT(differingPixels(withBiomes("ref"), expected), 0) << "biomes colour the map";
}

TEST(StorageFormats, AlphaAndBetaWordsForceTheirLayouts) {
  demo("both", Layout::Beta);
  demo("both", Layout::Alpha);  // the Alpha files beside Beta regions
  Render plain("custom both outfile plain.png verbosity 1");
  EXPECT_NE(plain.errors.str().find("Beta region files"), std::string::npos) << plain.errors.str();
  Render alpha("custom both alpha outfile alpha.png verbosity 1");
  ASSERT_EQ(alpha.status, 0) << alpha.errors.str();
  EXPECT_NE(alpha.errors.str().find("Alpha chunk files"), std::string::npos) << alpha.errors.str();
  EXPECT_EQ(differingPixels(readImage("plain.png"), readImage("alpha.png")), 0);
  Render beta("custom both beta outfile beta.png");
  EXPECT_EQ(beta.status, 0);
}

TEST(StorageFormats, BlocksByNameAreDrawnInTheirOwnColoursAtAnyLevel) {
  oneChunk("named", Layout::BlockStates, [](ChunkColumn& c) {
    c.set(0, -60, 0, c.name("deepslate_diamond_ore"));
    c.set(1, 200, 0, c.name("red_wool"));
    c.set(2, 319, 0, c.name("lime_concrete"));
    c.set(3, 10, 0, c.name("cherry_planks"));
    c.set(4, 10, 0, c.name("no_such_block"));
    c.set(5, -64, 0, c.name("stone"));
  });
  Render r("custom named outfile named.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_NE(r.errors.str().find("1 palette entries name blocks this renderer does not know"), std::string::npos)
      << r.errors.str();
  auto im = readImage("named.png");
  ASSERT_EQ(im.width(), 16);
  EXPECT_TRUE(sameColour(im.at(0, 0), sgrender::blockColour(56))) << "diamond ore at -60";
  EXPECT_TRUE(sameColour(im.at(1, 0), sgrender::blockColour(35, 14))) << "red wool";
  EXPECT_TRUE(sameColour(im.at(2, 0), sgrender::blockColour(251, 5))) << "lime concrete at the top";
  EXPECT_TRUE(sameColour(im.at(3, 0), sgrender::blockColour(sgrender::findBlockName("cherry_planks")->id)));
  EXPECT_EQ(im.at(4, 0).a, 255) << "an unknown name is drawn, not skipped";
  EXPECT_TRUE(sameColour(im.at(5, 0), sgrender::blockColour(1))) << "stone at the lowest level";
  EXPECT_EQ(im.at(6, 0).a, 0);
}

TEST(StorageFormats, FiltersByIdAndLayersBelowZeroOnANamedWorld) {
  oneChunk("ores", Layout::BlockStates, [](ChunkColumn& c) {
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) c.set(x, 0, z, c.name("stone"));
    c.set(1, -20, 1, c.name("deepslate_diamond_ore"));
    c.set(2, 12, 2, c.name("diamond_ore"));
    c.set(3, -10, 3, c.name("white_wool"));
  });
  // Only diamonds, whatever stone they sit in.
  Render only("custom ores onlyblocks 1 56 outfile only.png");
  ASSERT_EQ(only.status, 0) << only.errors.str();
  auto im = readImage("only.png");
  EXPECT_EQ(im.at(1, 1).a, 255);
  EXPECT_EQ(im.at(2, 2).a, 255);
  EXPECT_EQ(im.at(3, 3).a, 0);
  EXPECT_EQ(im.at(0, 0).a, 0);
  // Layers as Y levels: the stone at 0 hides the wool at -10 unless only the levels below are drawn.
  Render below("custom ores onlylayers 2 -10 300 outfile below.png");
  ASSERT_EQ(below.status, 0) << below.errors.str();
  im = readImage("below.png");
  EXPECT_TRUE(sameColour(im.at(3, 3), sgrender::blockColour(35, 0)));
  EXPECT_EQ(im.at(1, 1).a, 0);
  Render notStone("custom ores notblocks 1 1 outfile nostone.png");
  im = readImage("nostone.png");
  EXPECT_TRUE(sameColour(im.at(3, 3), sgrender::blockColour(35, 0)));
}

TEST(StorageFormats, UnfinishedChunksAreLeftOutAndCounted) {
  ChunkColumn done(0, 0, -64, 384), raw(1, 0, -64, 384);
  done.set(0, 10, 0, done.name("stone"));
  raw.set(0, 10, 0, raw.name("stone"));
  raw.status = "noise";
  WorldFiles files("half", Layout::BlockStates, Compression::Zlib, false);
  files.add(0, 0, encodeChunk(done, Layout::BlockStates));
  files.add(1, 0, encodeChunk(raw, Layout::BlockStates));
  ASSERT_TRUE(files.finish());
  Render r("custom half outfile half.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_NE(r.errors.str().find("1 chunk that the game had not finished generating left out"), std::string::npos)
      << r.errors.str();
  auto im = readImage("half.png");
  EXPECT_EQ(im.at(0, 0).a, 255);
  EXPECT_EQ(im.at(16, 0).a, 0);
}

TEST(StorageFormats, TheNetherAndOtherDimensionFolders) {
  DemoWorld w;
  w.folder = "dims";
  w.chunksX = w.chunksZ = 2;
  std::string error;
  ASSERT_TRUE(writeDemoWorld(w, error)) << error;
  Render nether("custom dims nether outfile n.png");
  ASSERT_EQ(nether.status, 0) << nether.errors.str();
  EXPECT_EQ(readImage("n.png").width(), 32);
  std::filesystem::create_directories("dims/dimensions/mymod");
  std::filesystem::rename("dims/DIM-1", "dims/dimensions/mymod/sky");
  Render named("custom dims dimension sky outfile s.png");
  ASSERT_EQ(named.status, 0) << named.errors.str();
  Render missing("custom dims dimension DIM7 outfile m.png");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.errors.str().find("no dimension folder DIM7"), std::string::npos) << missing.errors.str();
}

TEST(StorageFormats, TheNewerBlocksListNamesTheirIdsForTheBlockDialog) {
  demo("w", Layout::BlockStates);
  Render r("custom w outfile w.png");
  ASSERT_EQ(r.status, 0);
  std::string list = slurp("newer-blocks.sgs");
  auto line = [&](const std::string& name) {
    const sgrender::BlockName* b = sgrender::findBlockName(name);
    return "SelectBlock " + std::to_string(b->id) + "\r\nBlockName ";
  };
  EXPECT_NE(list.find(line("deepslate") + "Deepslate\r\n"), std::string::npos);
  EXPECT_NE(list.find(line("cherry_planks") + "Cherry planks\r\n"), std::string::npos);
  EXPECT_EQ(list.find("SelectBlock 56\r\n"), std::string::npos) << "the catalogue's own ids are not renamed";
}

// The picture is the same byte for byte whatever the number of threads that decode the chunks.
TEST(StorageFormats, TheImageIsTheSameForAnyNumberOfThreads) {
  DemoWorld w;
  w.folder = "threads";
  w.chunksX = 40;  // two regions across, so that chunks come in several batches
  w.chunksZ = 3;
  w.nether = false;
  std::string error;
  ASSERT_TRUE(writeDemoWorld(w, error)) << error;
  for (const char* style : {"normal", "isometric"}) {
    SCOPED_TRACE(style);
    Render one(std::string("custom threads ") + style + " threads 1 outfile one.png");
    Render three(std::string("custom threads ") + style + " threads 3 outfile three.png");
    ASSERT_EQ(one.status, 0) << one.errors.str();
    ASSERT_EQ(three.status, 0) << three.errors.str();
    EXPECT_EQ(slurp("one.png"), slurp("three.png"));
  }
}

// Written band by band, the map is the one written whole: with flips, mirrors, zooms and any
// orientation, over a world with a region missing in the middle of a row.
TEST(StorageFormats, LowRamWriteGivesTheSameImage) {
  DemoWorld w;
  w.folder = "bands";
  w.chunksX = 70;
  w.chunksZ = 40;
  w.nether = false;
  std::string error;
  ASSERT_TRUE(writeDemoWorld(w, error)) << error;
  std::filesystem::remove("bands/region/r.0.-1.mca");
#ifdef SG_SANITIZED
  // Each render takes seconds under the sanitizers: one of each kind of step.
  const std::vector<const char*> optionSets = {"mirror", "west flip", "south zoomlevel 0.5"};
#else
  const std::vector<const char*> optionSets = {"", "flip", "mirror", "zoomlevel 1.5", "east", "west flip",
                                               "south zoomlevel 0.5"};
#endif
  for (const char* options : optionSets) {
    SCOPED_TRACE(options);
    Render whole(std::string("custom bands ") + options + " outfile whole.png");
    Render bands(std::string("custom bands ") + options + " lowramwrite outfile bands.png");
    ASSERT_EQ(whole.status, 0) << whole.errors.str();
    ASSERT_EQ(bands.status, 0) << bands.errors.str();
    auto a = readImage("whole.png"), b = readImage("bands.png");
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    EXPECT_EQ(differingPixels(a, b), 0);
  }
}
