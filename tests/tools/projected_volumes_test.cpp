// The projected styles draw volumes as a player sees them from afar: solid tree crowns, water
// with depth and with sides where the map cuts it, a map that stands on its own cliffs with
// nothing hanging below, and caves without the ground above them. Each world is one chunk
// written by the world writer; pixels are found from the isometric sprite's geometry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "renderer/blocks/block_colours.h"
#include "renderer/styles/block_look.h"
#include "render_call.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/world_files.h"

using namespace sgtest;
using namespace sgworld;
using sgimage::Rgba;

namespace {

// A chunk with stone up to `ground` everywhere, shaped further by the test.
void writeChunk(const std::string& folder, int ground, const std::function<void(ChunkColumn&)>& shape) {
  ChunkColumn c(0, 0, -64, 384);
  const uint16_t stone = c.name("stone");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = -10; y <= ground; ++y) c.set(x, y, z, stone);
  shape(c);
  WorldFiles files(folder, Layout::BlockStates, Compression::Zlib, false);
  files.add(0, 0, encodeChunk(c, Layout::BlockStates));
  ASSERT_TRUE(files.finish());
}

sgimage::RgbaImage renderVolumes(const std::string& world, const std::string& words) {
  const std::string out = "p.png";
  Render r("custom " + world + " " + words + " outfile " + out);
  EXPECT_EQ(r.status, 0) << words << ": " << r.errors.str();
  if (const char* keep = std::getenv("SG_KEEP_IMAGES")) {
    std::string name = world + "-" + words + ".png";
    for (char& ch : name) ch = ch == ' ' ? '_' : ch;
    std::filesystem::copy_file(out, std::filesystem::path(keep) / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  return readImage(out);
}

// The isometric north view of chunk 0,0 in a world whose levels end at 319: where the sprite
// of block (x, y, z) begins. Its top is rows 0-1, its south face (left) and east face (right)
// rows 2-3.
struct Sprite {
  int sx, sy;
};
Sprite isoNorth(int x, int y, int z) { return {2 * (x + 15 - z), x + z + 2 * (319 - y)}; }
Rgba topOf(const sgimage::RgbaImage& im, int x, int y, int z) {
  Sprite s = isoNorth(x, y, z);
  return im.at(s.sx + 1, s.sy + 1);
}
Rgba southFaceOf(const sgimage::RgbaImage& im, int x, int y, int z) {
  Sprite s = isoNorth(x, y, z);
  return im.at(s.sx, s.sy + 2);
}
Rgba eastFaceOf(const sgimage::RgbaImage& im, int x, int y, int z) {
  Sprite s = isoNorth(x, y, z);
  return im.at(s.sx + 3, s.sy + 2);
}

int brightnessOfVolume(Rgba p) { return p.r + p.g + p.b; }
bool watery(Rgba p) { return p.a == 255 && p.b > p.r + 60 && p.b > p.g + 40; }

const char* const kProjected[] = {"oblique", "obliqueangled", "isometric"};
const char* const kSides[] = {"north", "east", "south", "west"};

}  // namespace

// A crown of leaves hides the trunk inside it from every side: the trunk's colour within the
// crown changes nothing in the picture, and the crown itself is drawn opaque.
TEST(ProjectedVolumes, ATreeCrownHidesItsTrunkFromEverySide) {
  for (const char* trunk : {"red_wool", "blue_wool"}) {
    writeChunk(std::string("tree-") + trunk, 0, [&](ChunkColumn& c) {
      const uint16_t leaves = c.name("oak_leaves"), log = c.name("oak_log"), inner = c.name(trunk);
      for (int x = 6; x <= 10; ++x)
        for (int z = 6; z <= 10; ++z)
          for (int y = 3; y <= 8; ++y) c.set(x, y, z, leaves);
      for (int y = 1; y <= 7; ++y) c.set(8, y, 8, y < 3 ? log : inner);
    });
  }
  for (const char* style : kProjected)
    for (const char* side : kSides) {
      const std::string words = std::string(style) + " " + side;
      auto red = renderVolumes("tree-red_wool", words), blue = renderVolumes("tree-blue_wool", words);
      ASSERT_EQ(red.width(), blue.width()) << words;
      long differing = 0;
      for (int y = 0; y < red.height(); ++y)
        for (int x = 0; x < red.width(); ++x) differing += red.at(x, y) != blue.at(x, y);
      EXPECT_EQ(differing, 0) << words << ": the trunk shows through the crown";
    }
  auto iso = renderVolumes("tree-red_wool", "isometric north");
  EXPECT_EQ(topOf(iso, 8, 8, 8), (Rgba{60, 120, 30, 255})) << "the crown's top is solid leaves";
  // From above, leaves still let the ground show through.
  auto top = renderVolumes("tree-red_wool", "normal north");
  EXPECT_NE(top.at(8, 8), top.at(9, 9)) << "the trunk's column differs from the leaves' beside it";
}

// Pools 1, 3 and 10 deep over the same white floor: the deeper, the darker and the less of the
// floor shows. Where the map's edge cuts the deepest one open, its side is water.
TEST(ProjectedVolumes, WaterHasDepthAndSidesWhereTheMapCutsIt) {
  writeChunk("pools", 10, [](ChunkColumn& c) {
    const uint16_t water = c.name("water"), white = c.name("white_concrete");
    const int firstX[] = {1, 6, 11}, depth[] = {1, 3, 10};
    for (int p = 0; p < 3; ++p)
      for (int x = firstX[p]; x < firstX[p] + 3; ++x)
        for (int z = 13; z <= 15; ++z) {
          for (int y = 11 - depth[p]; y <= 10; ++y) c.set(x, y, z, water);
          c.set(x, 10 - depth[p], z, white);
        }
  });
  // The water alone: its surface is the more opaque and the darker the deeper the pool.
  auto water = renderVolumes("pools", "isometric north onlyblocks 2 8 9");
  const Rgba shallow = topOf(water, 2, 10, 14), middle = topOf(water, 7, 10, 14), deep = topOf(water, 12, 10, 14);
  EXPECT_LT(shallow.a + 20, middle.a);
  EXPECT_LT(middle.a + 20, deep.a);
  EXPECT_GT(deep.a, 230) << "deep water is nearly opaque";
  EXPECT_GT(brightnessOfVolume(shallow), brightnessOfVolume(middle));
  EXPECT_GT(brightnessOfVolume(middle), brightnessOfVolume(deep) + 20);
  // Over its floor, shallow water lets the white floor show, deep water does not.
  auto iso = renderVolumes("pools", "isometric north");
  const Rgba overShallow = topOf(iso, 2, 10, 14), overDeep = topOf(iso, 12, 10, 14);
  EXPECT_EQ(overShallow.a, 255);
  EXPECT_GT(overShallow.b, overShallow.r);
  EXPECT_GT(brightnessOfVolume(overShallow), brightnessOfVolume(overDeep) + 60);

  // The map's south edge cuts the pools: their sides show as water, in cake mode down to the
  // floor, and without it as well, since the map stands on a cliff of its own.
  for (const char* mode : {"isometric north fool_cake", "isometric north"}) {
    auto cut = renderVolumes("pools", mode);
    for (int y = 1; y <= 10; ++y) EXPECT_TRUE(watery(southFaceOf(cut, 12, y, 15))) << mode << " level " << y;
    EXPECT_TRUE(watery(southFaceOf(cut, 2, 10, 15))) << mode;
    EXPECT_FALSE(watery(southFaceOf(cut, 2, 9, 15))) << mode << ": the floor under the shallow pool";
  }
  // Ignoring water still leaves it out.
  auto dry = renderVolumes("pools", "isometric north ignorewater");
  EXPECT_FALSE(watery(southFaceOf(dry, 12, 5, 15)));
}

// A hill on the map's south-east corner with a cave under it that the east edge cuts open, and
// a one-block pit at the south edge down to level 0. The ground's surface is level 10.
TEST(ProjectedVolumes, TheMapStandsOnItsCliffsAndNothingHangsBelowIt) {
  auto shape = [](bool cave) {
    return [cave](ChunkColumn& c) {
      const uint16_t stone = c.name("stone");
      for (int x = 10; x <= 15; ++x)
        for (int z = 10; z <= 15; ++z)
          for (int y = 11; y <= 30; ++y) c.set(x, y, z, stone);
      if (cave)
        for (int x = 11; x <= 15; ++x)
          for (int y = 14; y <= 16; ++y) c.set(x, y, 12, 0);
      for (int y = 1; y <= 10; ++y) c.set(3, y, 15, 0);
    };
  };
  writeChunk("hill", 10, shape(true));
  writeChunk("hill-solid", 10, shape(false));
  auto iso = renderVolumes("hill", "isometric north");
  const Rgba stone = sgrender::blockColour(1);
  // The hill's east face at the map's edge is a cliff down to the ground's level.
  for (int y : {29, 20, 11}) {
    const Rgba p = eastFaceOf(iso, 15, y, 11);
    EXPECT_EQ(p.a, 255) << "level " << y;
    EXPECT_EQ(p.r, p.g) << "level " << y;
    EXPECT_LT(p.r, stone.r) << "shaded stone at level " << y;
  }
  // Nothing below the ground's level shows anywhere on the map's edges: for every column of
  // the picture, no opaque pixel lies below the lowest edge block at level 10.
  std::vector<int> lowest(iso.width(), -1);
  for (int i = 0; i < 16; ++i)
    for (Sprite s : {isoNorth(i, 10, 15), isoNorth(15, 10, i)})
      for (int col = 0; col < 4; ++col) lowest[s.sx + col] = std::max(lowest[s.sx + col], s.sy + 3);
  for (int x = 0; x < iso.width(); ++x)
    for (int y = lowest[x] + 1; y < iso.height(); ++y)
      ASSERT_EQ(iso.at(x, y).a, 0) << "something hangs below the map at " << x << "," << y;
  // The cave under the hill is not seen without cake mode; the cut of cake mode opens it.
  auto solid = renderVolumes("hill-solid", "isometric north");
  long differing = 0;
  for (int y = 0; y < iso.height(); ++y)
    for (int x = 0; x < iso.width(); ++x) differing += iso.at(x, y) != solid.at(x, y);
  EXPECT_EQ(differing, 0) << "the cave shows without cake mode";
  auto cake = renderVolumes("hill", "isometric north fool_cake"), solidCake = renderVolumes("hill-solid", "isometric north fool_cake");
  EXPECT_NE(eastFaceOf(cake, 15, 15, 12), eastFaceOf(solidCake, 15, 15, 12)) << "the cut opens the cave";
  EXPECT_EQ(eastFaceOf(cake, 15, 5, 11).a, 255) << "cake mode cuts down to the bottom";
}

// Cave mode takes the ground away: the surface is gone, and the floor of a closed cave shows in
// the colour of its depth, in every projected style.
TEST(ProjectedVolumes, CaveModeShowsTheFloorsOfEnclosedSpaces) {
  writeChunk("cave", 10, [](ChunkColumn& c) {
    for (int x = 4; x <= 12; ++x)
      for (int z = 6; z <= 10; ++z)
        for (int y = 3; y <= 5; ++y) c.set(x, y, z, 0);
  });
  auto plain = renderVolumes("cave", "isometric north"), caves = renderVolumes("cave", "isometric north cave");
  EXPECT_EQ(topOf(plain, 2, 10, 2).a, 255);
  EXPECT_EQ(topOf(caves, 2, 10, 2).a, 0) << "the ground's surface is taken away";
  EXPECT_EQ(topOf(caves, 6, 2, 7), sgrender::caveColour(sgrender::blockColour(1), 2)) << "the cave's floor";
  for (const char* style : {"oblique", "obliqueangled"}) {
    auto a = renderVolumes("cave", std::string(style) + " north"), b = renderVolumes("cave", std::string(style) + " north cave");
    long opaqueA = 0, opaqueB = 0, tinted = 0;
    const Rgba floor = sgrender::caveColour(sgrender::blockColour(1), 2);
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        opaqueA += a.at(x, y).a == 255;
        opaqueB += b.at(x, y).a == 255;
        tinted += b.at(x, y) == floor;
      }
    EXPECT_LT(opaqueB, opaqueA) << style;
    EXPECT_GT(tinted, 9) << style << ": the cave's floor in its depth's colour";
  }
}

// A lake three deep over sand reads as one even sheet of water from every side: its surface is
// blended, not dithered, so the pixels inside it hardly differ from their neighbours.
TEST(ProjectedVolumes, AnIsometricLakeIsAnEvenSheetOfWater) {
  writeChunk("lake", 58, [](ChunkColumn& c) {
    const uint16_t sand = c.name("sand"), water = c.name("water");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) {
        c.set(x, 59, z, sand);
        for (int y = 60; y <= 62; ++y) c.set(x, y, z, water);
      }
  });
  for (const char* side : {"north", "east"}) {
    const auto im = renderVolumes("lake", std::string("isometric ") + side);
    auto luminance = [&](int x, int y) {
      const Rgba p = im.at(x, y);
      return 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b;
    };
    // The surface's own pixels: a diamond around the middle of the lake's top, away from its edges.
    const int cx = im.width() / 2;
    int cy = 0;
    while (cy < im.height() && im.at(cx, cy).a == 0) ++cy;
    cy += 16;  // half-way down the surface's diamond
    std::vector<double> laplacian;
    for (int y = cy - 6; y <= cy + 6; ++y)
      for (int x = cx - 12; x <= cx + 12; ++x)
        laplacian.push_back(std::abs(4 * luminance(x, y) - luminance(x - 1, y) - luminance(x + 1, y) -
                                     luminance(x, y - 1) - luminance(x, y + 1)));
    std::sort(laplacian.begin(), laplacian.end());
    EXPECT_LT(laplacian[laplacian.size() / 2], 1.0) << side;
    EXPECT_LT(laplacian[laplacian.size() * 9 / 10], 3.0) << side;
    const Rgba middle = im.at(cx, cy);
    EXPECT_GT(middle.b, middle.r + 40) << side << ": water";
  }
}

// A stepped hill under snow: each block under a layer of snow shows the snow on its top and
// its own sides, so that the terraces read, as in the game, rather than a white blob.
TEST(ProjectedVolumes, SnowLiesOnTheTerracesAndTheirSidesShow) {
  writeChunk("snowy", 58, [](ChunkColumn& c) {
    const uint16_t stone = c.name("stone"), grass = c.name("grass_block"), snow = c.name("snow");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) {
        const int top = 58 + 4 * (3 - z / 4);  // 70 in the north, down to 58 in the south
        for (int y = 59; y <= top; ++y) c.set(x, y, z, y == top ? grass : stone);
        c.set(x, top + 1, z, snow);
      }
  });
  const auto im = renderVolumes("snowy", "isometric north");
  auto white = [](Rgba p) { return p.r > 200 && p.g > 200 && p.b > 200; };
  // The top of a terrace is snow; the south face of the step below it is grass and stone.
  EXPECT_TRUE(white(topOf(im, 8, 70, 1)));
  int whiteSides = 0, sides = 0;
  for (int y = 67; y <= 70; ++y) {
    const Sprite s = isoNorth(8, y, 3);
    for (int row : {2, 3})
      for (int col : {0, 1}) {
        whiteSides += white(im.at(s.sx + col, s.sy + row));
        ++sides;
      }
  }
  EXPECT_EQ(whiteSides, 0) << "of " << sides << " pixels of the step's face";
  // From above, snow still lies white on the hill.
  EXPECT_TRUE(white(renderVolumes("snowy", "normal north").at(8, 1)));
}
