// Every style and option on small written worlds: a pillar with a red face to the south and a
// lime face to the east, a pool, a lit cave. What each projection must show is checked by what
// the picture holds (which faces, which colours, where), in all four orientations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "batch/windows_arguments.h"
#include "imaging/image_operations.h"
#include "renderer/blocks/block_colours.h"
#include "renderer/renderer.h"
#include "render_call.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/world_files.h"

using namespace sgtest;
using namespace sgworld;
using sgimage::Rgba;

namespace {

// One chunk: a stone floor at level 0; a stone pillar at (8, 1..10, 6); a low wall (levels
// 1..5) running east and west at z 9 whose block at level 5 is red wool under a stone cap,
// showing only its south face; a low wall two thick at x 12..13 along z 11..14 whose block
// (13, 5, 12) is lime wool under a cap, showing only its east face; a diamond ore marking the
// north-east corner; a pool of water over sand at x 1..3, z 12..14; a closed cave at levels -20..-18 lit
// by a torch at its west end.
void writeWorld(const std::string& folder) {
  ChunkColumn c(0, 0, -64, 384);
  const uint16_t stone = c.name("stone"), red = c.name("red_wool"), lime = c.name("lime_wool"),
                 diamond = c.name("diamond_ore"), water = c.name("water"), sand = c.name("sand"),
                 torch = c.name("torch");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = -30; y <= 0; ++y) c.set(x, y, z, stone);
  for (int y = 1; y <= 10; ++y) c.set(8, y, 6, stone);
  for (int y = 1; y <= 5; ++y) {
    for (int x = 4; x <= 10; ++x) c.set(x, y, 9, stone);
    for (int z = 11; z <= 14; ++z) c.set(12, y, z, stone), c.set(13, y, z, stone);
  }
  c.set(8, 5, 9, red);
  c.set(8, 6, 9, stone);
  c.set(8, 5, 8, stone);
  c.set(13, 5, 12, lime);
  c.set(13, 6, 12, stone);
  c.set(15, 1, 0, diamond);
  for (int x = 1; x <= 3; ++x)
    for (int z = 12; z <= 14; ++z) {
      c.set(x, 0, z, sand);
      c.set(x, 1, z, water);
      c.set(x, 2, z, water);
    }
  for (int x = 2; x <= 13; ++x)
    for (int y = -20; y <= -18; ++y) c.set(x, y, 4, 0);
  c.set(2, -20, 4, torch);
  c.light.assign(c.blocks.size(), 0);
  for (int x = 2; x <= 13; ++x)
    for (int y = -20; y <= -18; ++y) c.light[((size_t(y + 64) * 16 + 4) * 16) + x] = static_cast<uint8_t>(std::max(0, 14 - (x - 2)));
  WorldFiles files(folder, Layout::BlockStates, Compression::Zlib, false);
  files.add(0, 0, encodeChunk(c, Layout::BlockStates));
  ASSERT_TRUE(files.finish());
}

bool hueOf(Rgba p, Rgba block) {
  double s1 = p.r + p.g + p.b + 1, s2 = block.r + block.g + block.b + 1;
  return p.a == 255 && std::abs(p.r / s1 - block.r / s2) < 0.04 && std::abs(p.g / s1 - block.g / s2) < 0.04 &&
         std::abs(p.b / s1 - block.b / s2) < 0.04;
}

long countHue(const sgimage::RgbaImage& im, Rgba block) {
  long n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) n += hueOf(im.at(x, y), block);
  return n;
}

long opaque(const sgimage::RgbaImage& im) {
  long n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) n += im.at(x, y).a == 255;
  return n;
}

const Rgba kRed = sgrender::blockColour(35, 14), kLime = sgrender::blockColour(35, 5),
           kDiamond = sgrender::blockColour(56);

class Painters : public ::testing::Test {
 protected:
  void SetUp() override { writeWorld("w"); }
  sgimage::RgbaImage render(const std::string& words, const std::string& out) {
    Render r("custom w " + words + " outfile " + out);
    EXPECT_EQ(r.status, 0) << words << ": " << r.errors.str();
    // SG_KEEP_IMAGES=<folder> keeps the pictures to look at.
    if (const char* keep = std::getenv("SG_KEEP_IMAGES"))
      std::filesystem::copy_file(out, std::filesystem::path(keep) / out,
                                 std::filesystem::copy_options::overwrite_existing);
    return readImage(out);
  }
};

}  // namespace

TEST_F(Painters, TopDownOrientationTurnsTheViewWithNorthEastWhereItShouldBe) {
  // Where the diamond in the north-east corner lands: the corner's place in each view.
  const std::vector<std::tuple<std::string, int, int>> corners = {
      {"north", 15, 0}, {"east", 0, 0}, {"south", 0, 15}, {"west", 15, 15}};
  for (const auto& [up, x, y] : corners) {
    auto im = render("normal " + up, up + ".png");
    ASSERT_EQ(im.width(), 16) << up;
    EXPECT_TRUE(hueOf(im.at(x, y), kDiamond)) << up;
  }
  // Heights: the grey height map is brighter on the pillar than on the floor.
  auto grey = render("heightmapgray", "g.png");
  EXPECT_GT(grey.at(8, 6).r, grey.at(5, 5).r);
  EXPECT_EQ(grey.at(8, 6).r, grey.at(8, 6).b);
  auto colour = render("heightmapcolor", "c.png");
  EXPECT_NE(colour.at(8, 6), colour.at(5, 5));
}

TEST_F(Painters, IsometricViewsShowTheFacesTowardsTheViewer) {
  // +u and +v of each view, in world directions: north-up sees south and east faces, east-up
  // the south and west, south-up the west and north, west-up the north and east.
  const std::vector<std::tuple<std::string, bool, bool>> seen = {
      {"north", true, true}, {"east", true, false}, {"south", false, false}, {"west", false, true}};
  for (const auto& [up, red, lime] : seen) {
    auto im = render("isometric " + up + " sautomirror", "i-" + up + ".png");
    EXPECT_EQ(countHue(im, kRed) > 0, red) << up;
    EXPECT_EQ(countHue(im, kLime) > 0, lime) << up;
    // A visible face is a 2 x 2 patch of the sprite on each side.
    if (red) {
      EXPECT_GE(countHue(im, kRed), 4) << up;
    }
  }
}

TEST_F(Painters, ObliqueStylesLiftEachLevelAndShowTheFrontFaces) {
  auto im = render("oblique north", "o.png");
  ASSERT_EQ(im.width(), 16);
  // The pillar stands up from the floor: its column holds stone pixels above the floor's row.
  int firstOpaque = im.height();
  for (int y = 0; y < im.height(); ++y)
    if (im.at(8, y).a == 255) {
      firstOpaque = y;
      break;
    }
  int floorTop = im.height();
  for (int y = 0; y < im.height(); ++y)
    if (im.at(5, y).a == 255) {
      floorTop = y;
      break;
    }
  EXPECT_LE(firstOpaque, floorTop - 2) << "the pillar rises above the floor";
  EXPECT_GT(countHue(im, kRed), 0) << "the south face shows";
  EXPECT_EQ(countHue(im, kLime), 0) << "the east face does not";
  auto angled = render("obliqueangled north", "a.png");
  EXPECT_EQ(angled.width(), 32);
  EXPECT_GT(countHue(angled, kRed), 0);
  EXPECT_GT(countHue(angled, kLime), 0);
}

TEST_F(Painters, PoolsAndOptionsThatCompose) {
  auto plain = render("normal", "n.png");
  auto dry = render("normal ignorewater", "d.png");
  EXPECT_TRUE(hueOf(dry.at(2, 13), sgrender::blockColour(12)));
  EXPECT_NE(plain.at(2, 13), dry.at(2, 13));
  // Cave at night: the floor by the torch is bright, the far end dark.
  auto caveNight = render("cave night", "cn.png");
  auto caveDay = render("cave", "cd.png");
  const Rgba nearTorch = caveNight.at(3, 4), farEnd = caveNight.at(13, 4);
  EXPECT_GT(nearTorch.r + nearTorch.g + nearTorch.b, farEnd.r + farEnd.g + farEnd.b + 60);
  EXPECT_EQ(caveDay.at(13, 4).a, 255);
  // Isometric with a layer filter: only level 5 is drawn, so the walls' blocks of that level alone,
  // each with its top showing.
  auto layer = render("isometric onlylayers 1 5", "il.png");
  EXPECT_GT(countHue(layer, kRed), 0);
  EXPECT_LT(opaque(layer), 20 * 16);
  // X-ray leaves the stone out: the diamond, the wool and the cave's torch remain.
  auto xray = render("normal fool_xray", "x.png");
  EXPECT_TRUE(hueOf(xray.at(15, 0), kDiamond));
  EXPECT_EQ(xray.at(5, 5).a, 0);
  // Wooloscopy: wool keeps its colour, the rest turns grey.
  auto wool = render("isometric wooloscopy", "wo.png");
  EXPECT_GT(countHue(wool, kRed), 0);
  auto woolTop = render("normal wooloscopy", "wt.png");
  EXPECT_EQ(woolTop.at(5, 5).r, woolTop.at(5, 5).g);
  EXPECT_EQ(woolTop.at(5, 5).g, woolTop.at(5, 5).b);
}

TEST_F(Painters, MirroringByTheRendererOrByThePostProcessorGivesOneImage) {
  auto automatic = render("isometric east automirror", "auto.png");
  auto suppressed = render("isometric east sautomirror", "supp.png");
  EXPECT_EQ(opaque(automatic), opaque(suppressed));
  auto mirrored = sgimage::mirrorHorizontally(suppressed);
  ASSERT_EQ(mirrored.width(), automatic.width());
  for (int y = 0; y < automatic.height(); ++y)
    for (int x = 0; x < automatic.width(); ++x) ASSERT_EQ(mirrored.at(x, y), automatic.at(x, y)) << x << "," << y;
  // North is never mirrored automatically; "mirror" mirrors the axis the orientation leaves free.
  auto north = render("normal north", "no.png"), mirror = render("normal north mirror", "mi.png");
  EXPECT_EQ(north.at(15, 0), mirror.at(0, 0));
}

TEST_F(Painters, FinishingStepsAndTheBlockCensus) {
  auto zoomed = render("normal zoomlevel 2", "z.png");
  EXPECT_EQ(zoomed.width(), 32);
  EXPECT_EQ(zoomed.at(30, 0), zoomed.at(31, 1));
  auto iso = render("isometric cropwhitespace", "cw.png");
  EXPECT_LT(iso.height(), 200);
  bool top = false, bottom = false, left = false, right = false;
  for (int x = 0; x < iso.width(); ++x) top |= iso.at(x, 0).a > 0, bottom |= iso.at(x, iso.height() - 1).a > 0;
  for (int y = 0; y < iso.height(); ++y) left |= iso.at(0, y).a > 0, right |= iso.at(iso.width() - 1, y).a > 0;
  EXPECT_TRUE(top && bottom && left && right);
  auto rotated = render("normal rotate", "r.png"), flipped = render("normal flip", "f.png");
  EXPECT_TRUE(hueOf(rotated.at(15, 15), kDiamond));
  EXPECT_TRUE(hueOf(flipped.at(15, 15), kDiamond));

  Render census("custom w name \"Base\" listallblocks outfile b.png");
  ASSERT_EQ(census.status, 0) << census.errors.str();
  std::string list = slurp("BaseBlocks.txt");
  EXPECT_NE(list.find("56:0 diamond_ore 1: 15,1,0\r\n"), std::string::npos) << list;
  EXPECT_NE(list.find("35:14 red_wool 1: 8,5,9\r\n"), std::string::npos) << list;
  EXPECT_NE(list.find("8:0 water 18: "), std::string::npos) << list;
}

TEST_F(Painters, CakeShowsTheCutInTheProjectedStylesOnly) {
  Render flat("custom w normal fool_cake outfile cake-flat.png");
  EXPECT_NE(flat.errors.str().find("cake mode shows in the oblique and isometric styles"), std::string::npos);
  auto plainIso = render("isometric", "i.png"), cakeIso = render("isometric fool_cake", "ic.png");
  EXPECT_GT(opaque(cakeIso), opaque(plainIso) + 16 * 30);
  // The cut shows the cave: its torch-lit air is a gap in the stone wall.
  auto night = render("isometric fool_cake night", "icn.png");
  EXPECT_GT(opaque(night), 0);
  // Seen from below, the floor's underside is what shows.
  auto below = render("normal fool_upsidedown", "u.png");
  EXPECT_TRUE(hueOf(below.at(8, 8), sgrender::blockColour(1)));
}

TEST(RendererHelp, ListsEveryWordTheRendererTakes) {
  const std::string help = sgrender::rendererHelp();
  for (const char* word : {"folder", "world", "custom", "name", "normal", "heightmapcolor", "heightmapgray",
                           "lightmap", "oblique", "obliqueangled", "isometric", "north", "east", "south", "west",
                           "onlylayers", "notlayers", "onlyblocks", "notblocks", "twilight", "night",
                           "forcebrightness", "cave", "ignorewater", "nether", "dimension", "wooloscopy",
                           "fool_xray", "fool_upsidedown", "fool_cake", "granularity", "zoomlevel",
                           "cropwhitespace", "mirror", "automirror", "sautomirror", "flip", "rotate", "rectangle",
                           "spacedrectangle", "makeoffsetfile", "listallblocks", "lowramwrite", "threads", "alpha",
                           "beta", "verbosity", "progress", "environment", "outfile"})
    EXPECT_NE(help.find(std::string("  ") + word), std::string::npos) << word;
}
