// The map from above as players expect it: grass, leaves and water in their biome's colours in
// every era that stores biomes, blended across borders; slopes lit from the view's north-west;
// water darker the deeper it is; a colour height map anchored at the sea level; and the small
// faults of names and light.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "demo_worlds.h"
#include "render_call.h"
#include "renderer/blocks/block_colours.h"
#include "tool_test_support.h"
#include "world_builder.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/nbt_writer.h"
#include "worldgen/world_files.h"

using namespace sgtest;
using namespace sgworld;
using sgimage::Rgba;

namespace {

using Shape = std::function<void(ChunkColumn&)>;

// A world of the given chunks in a layout, each shaped by the test.
void writeWorld(const std::string& folder, Layout layout, const std::vector<std::pair<int, int>>& chunks,
                const Shape& shape) {
  WorldFiles files(folder, layout, Compression::Zlib, false);
  for (auto [cx, cz] : chunks) {
    ChunkColumn c(cx, cz, lowestLevel(layout), levelCount(layout));
    shape(c);
    files.add(cx, cz, encodeChunk(c, layout));
  }
  ASSERT_TRUE(files.finish());
}

sgimage::RgbaImage renderFromAbove(const std::string& world, const std::string& words) {
  Render r("custom " + world + " " + words + " outfile t.png");
  EXPECT_EQ(r.status, 0) << words << ": " << r.errors.str();
  if (const char* keep = std::getenv("SG_KEEP_IMAGES")) {
    std::string name = world + "-" + words + ".png";
    for (char& ch : name) ch = ch == ' ' || ch == '/' ? '_' : ch;
    std::filesystem::copy_file("t.png", std::filesystem::path(keep) / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  return readImage("t.png");
}

int brightnessFromAbove(Rgba p) { return p.r + p.g + p.b; }

// Flat grass at level 64 over stone, with a strip of water two deep along z 12..13; the west
// chunk is a swamp, the east one a desert.
Shape swampAndDesert(int chunkX) {
  return [chunkX](ChunkColumn& c) {
    const uint16_t stone = c.name("stone"), grass = c.name("grass_block"), water = c.name("water");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) {
        for (int y = 1; y <= 64; ++y) c.set(x, y, z, y == 64 ? grass : stone);
        if (z == 12 || z == 13) c.set(x, 63, z, water), c.set(x, 64, z, water);
        c.setBiome(x, z, chunkX == 0 ? "swamp" : "desert");
      }
  };
}

}  // namespace

TEST(TopDownLooks, BiomesColourGrassAndWaterInEveryEraThatStoresThem) {
  for (Layout layout : {Layout::Numeric, Layout::PaletteAcross, Layout::PaletteWithin, Layout::BlockStates}) {
    SCOPED_TRACE(layoutWord(layout));
    const std::string world = std::string("biomes-") + layoutWord(layout);
    WorldFiles files(world, layout, Compression::Zlib, false);
    for (int cx : {0, 1}) {
      ChunkColumn c(cx, 0, lowestLevel(layout), levelCount(layout));
      swampAndDesert(cx)(c);
      files.add(cx, 0, encodeChunk(c, layout));
    }
    ASSERT_TRUE(files.finish());
    auto im = renderFromAbove(world, "normal north");
    ASSERT_EQ(im.width(), 32);
    const Rgba swamp = im.at(4, 4), desert = im.at(28, 4), swampWater = im.at(4, 12), desertWater = im.at(28, 12);
    EXPECT_GT(desert.r, swamp.r + 30) << "desert grass is dry and light, swamp grass dark";
    EXPECT_GT(desert.g, swamp.g + 30);
    EXPECT_LT(swampWater.b + 40, desertWater.b) << "swamp water is murky";
    // The border is a gradient: columns after it shade from the swamp's colour to the desert's.
    int between = 0;
    for (int x = 12; x < 20; ++x) {
      EXPECT_LE(im.at(x, 4).r, im.at(x + 1, 4).r) << x;
      between += im.at(x, 4).r > swamp.r && im.at(x, 4).r < desert.r;
    }
    EXPECT_GE(between, 2);
    // nobiomes: both sides in the temperate default's colours.
    auto plain = renderFromAbove(world, "normal north nobiomes");
    EXPECT_EQ(plain.at(4, 4), plain.at(28, 4));
  }
  // Beta stores no biomes: grass in the temperate default's colours, as nobiomes gives.
  writeWorld("beta", Layout::Beta, {{0, 0}}, [](ChunkColumn& c) {
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) c.set(x, 64, z, c.name("grass"));
  });
  EXPECT_EQ(renderFromAbove("beta", "normal north").at(8, 8), renderFromAbove("beta", "normal north nobiomes").at(8, 8));
}

// A pyramid of grass on a flat plain: in every orientation the slope that rises towards the
// view's north-west is lighter than the plain, the slope falling away from it darker.
TEST(TopDownLooks, SlopesAreLitFromTheViewsNorthWestInEveryOrientation) {
  writeWorld("hill", Layout::BlockStates, {{0, 0}}, [](ChunkColumn& c) {
    const uint16_t grass = c.name("grass_block"), dirt = c.name("dirt");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) {
        const int top = 64 + 2 * std::max(0, 6 - std::max(std::abs(x - 8), std::abs(z - 8)));
        for (int y = 60; y <= top; ++y) c.set(x, y, z, y == top ? grass : dirt);
      }
  });
  for (const char* side : {"north", "east", "south", "west"}) {
    auto im = renderFromAbove("hill", std::string("normal ") + side + " nobiomes");
    // The peak lies at view column 7 or 8 whatever the turn; the slopes run along row 8.
    const int flat = brightnessFromAbove(im.at(1, 14)), rising = brightnessFromAbove(im.at(5, 8)), falling = brightnessFromAbove(im.at(11, 8));
    EXPECT_GT(rising, flat + 10) << side;
    EXPECT_LT(falling, flat - 10) << side;
    EXPECT_EQ(brightnessFromAbove(im.at(1, 14)), brightnessFromAbove(im.at(14, 1))) << side << ": flat land keeps its colour";
  }
}

// Pools 1, 3 and 10 deep over one white floor: the deeper, the darker, and the floor shows
// through the shallows; the colour height map reads sea level -10, +2 and +60 as water, low
// land and mountain.
TEST(TopDownLooks, WaterDepthAndTheHeightMapAroundTheSeaLevel) {
  writeWorld("pools", Layout::BlockStates, {{0, 0}}, [](ChunkColumn& c) {
    const uint16_t stone = c.name("stone"), water = c.name("water"), white = c.name("white_concrete");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z)
        for (int y = 40; y <= 62; ++y) c.set(x, y, z, stone);
    const int firstX[] = {1, 6, 11}, depth[] = {1, 3, 10};
    for (int p = 0; p < 3; ++p)
      for (int x = firstX[p]; x < firstX[p] + 3; ++x)
        for (int z = 1; z <= 3; ++z) {
          for (int y = 63 - depth[p]; y <= 62; ++y) c.set(x, y, z, water);
          c.set(x, 62 - depth[p], z, white);
        }
    // Columns at sea level -10, +2 and +60 (the sea's surface is level 62, sea level 63).
    for (int y = 40; y <= 53; ++y) c.set(2, y, 10, stone);
    for (int y = 63; y <= 123; ++y) {
      if (y <= 65) c.set(7, y, 10, stone);
      c.set(12, y, 10, stone);
    }
    for (int y = 54; y <= 62; ++y) c.set(2, y, 10, 0);
  });
  auto im = renderFromAbove("pools", "normal north nobiomes");
  const Rgba shallow = im.at(2, 2), middle = im.at(7, 2), deep = im.at(12, 2);
  for (Rgba p : {shallow, middle, deep}) EXPECT_GT(p.b, p.r);
  EXPECT_GT(brightnessFromAbove(shallow), brightnessFromAbove(middle) + 30);
  EXPECT_GT(brightnessFromAbove(middle), brightnessFromAbove(deep) + 30);

  auto heights = renderFromAbove("pools", "heightmapcolor north");
  const Rgba sea = heights.at(2, 10), low = heights.at(7, 10), mountain = heights.at(12, 10);
  EXPECT_TRUE(sea.b > sea.r + 60 && sea.b > sea.g) << "below the sea: blue";
  EXPECT_TRUE(low.g > low.b + 30 && low.r > low.b) << "just above it: beach and low land";
  EXPECT_TRUE(mountain.r >= mountain.g && mountain.g >= mountain.b && mountain.r > mountain.b + 20)
      << "high above it: brown mountain";
  EXPECT_TRUE(heights.at(4, 14).b > heights.at(4, 14).r) << "the ground at level 62 lies below the sea level";

  // A customised world's own sea level moves the colours: with the sea at 40, level 62 is land.
  NbtWriter w;
  w.beginCompound("Data");
  w.stringTag("generatorOptions", "{\"seaLevel\":40,\"useCaves\":true}");
  w.endCompound();
  ASSERT_TRUE(writeBytes("pools/level.dat", compress(w.finish(), Compression::Gzip)));
  const Rgba land = renderFromAbove("pools", "heightmapcolor north").at(4, 14);
  EXPECT_GT(land.g, land.b) << "level 62 above a sea level of 40 is land";
}

// Still water and still lava are named; a chunk whose light the game has worked out but whose
// sections are dark is no chunk without light; the light map shows where blocks light the ground.
TEST(TopDownLooks, NamesOfStillLiquidsAndLightOfDarkSections) {
  // Sections of numeric ids: still water (9) and still lava (11) on stone.
  sgtest::RegionWriter still;
  still.put(0, 0, sectionChunk(0, 0, [](int x, int y, int z) {
    if (y == 61 && x == 1 && z == 1) return 9;
    if (y == 61 && x == 3 && z == 3) return 11;
    return y == 60 ? 1 : 0;
  }));
  still.write("still/region/r.0.0.mca");
  Render census("custom still name \"S\" listallblocks outfile s.png");
  ASSERT_EQ(census.status, 0) << census.errors.str();
  const std::string list = slurp("SBlocks.txt");
  EXPECT_NE(list.find("9:0 water 1: 1,61,1"), std::string::npos) << list;
  EXPECT_NE(list.find("11:0 lava 1: 3,61,3"), std::string::npos) << list;

  for (Layout layout : {Layout::PaletteAcross, Layout::PaletteWithin, Layout::BlockStates}) {
    const std::string world = std::string("dark-") + layoutWord(layout);
    writeWorld(world, layout, {{0, 0}}, [](ChunkColumn& c) {
      c.darkSectionsUnlit = true;
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z) c.set(x, 60, z, c.name("stone"));
    });
    Render night("custom " + world + " normal night outfile n.png");
    ASSERT_EQ(night.status, 0) << night.errors.str();
    EXPECT_EQ(night.errors.str().find("no block light"), std::string::npos) << layoutWord(layout);
  }

  // The light map in daylight: an unlit floor and a torch-lit patch are plainly apart.
  writeWorld("lit", Layout::BlockStates, {{0, 0}}, [](ChunkColumn& c) {
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) c.set(x, 60, z, c.name("stone"));
    c.light.assign(c.blocks.size(), 0);
    for (int x = 0; x < 4; ++x)
      for (int z = 0; z < 4; ++z) c.light[(size_t(61 + 64) * 16 + z) * 16 + x] = 14;
  });
  auto day = renderFromAbove("lit", "lightmap"), night = renderFromAbove("lit", "lightmap night");
  const Rgba dark = day.at(10, 10), bright = day.at(1, 1);
  EXPECT_GT(dark.r, dark.g + 60) << "no block light: red";
  EXPECT_GT(bright.g, dark.g + 80) << "lit by blocks: yellow to white";
  EXPECT_LT(brightnessFromAbove(night.at(1, 1)), brightnessFromAbove(bright)) << "darker at night";
}

namespace {

struct Hsv {
  double h, s, v;
};

Hsv hsvOf(Rgba p) {
  const double r = p.r / 255.0, g = p.g / 255.0, b = p.b / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  double h = 0;
  if (d > 0) {
    if (mx == r) h = 60 * std::fmod((g - b) / d + 6, 6);
    else if (mx == g) h = 60 * ((b - r) / d + 2);
    else h = 60 * ((r - g) / d + 4);
  }
  return {h, mx > 0 ? d / mx : 0, mx};
}

}  // namespace

// Pools 1, 3 and 10 deep over sand read as water at a glance: blue at every depth, the floor
// showing through the shallows, the deep water dark and saturated; a 45-degree slope lit from the
// view's north-west is at least a fifth brighter than the slope facing away, in every
// orientation, and flat land keeps its colour.
TEST(TopDownLooks, WaterIsBlueAtEveryDepthAndSlopesReadAtAGlance) {
  writeWorld("sandpools", Layout::BlockStates, {{0, 0}}, [](ChunkColumn& c) {
    const uint16_t stone = c.name("stone"), water = c.name("water"), sand = c.name("sand");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z)
        for (int y = 40; y <= 62; ++y) c.set(x, y, z, y == 62 ? sand : stone);
    const int firstX[] = {1, 6, 11}, depth[] = {1, 3, 10};
    for (int p = 0; p < 3; ++p)
      for (int x = firstX[p]; x < firstX[p] + 3; ++x)
        for (int z = 1; z <= 3; ++z) {
          for (int y = 63 - depth[p]; y <= 62; ++y) c.set(x, y, z, water);
          c.set(x, 62 - depth[p], z, sand);
        }
  });
  auto im = renderFromAbove("sandpools", "normal north nobiomes");
  const Hsv one = hsvOf(im.at(2, 2)), three = hsvOf(im.at(7, 2)), ten = hsvOf(im.at(12, 2)),
            dry = hsvOf(im.at(8, 10));
  for (const Hsv& p : {one, three, ten}) {
    EXPECT_GE(p.h, 200) << p.h;
    EXPECT_LE(p.h, 235) << p.h;
  }
  EXPECT_GE(three.s, 0.5);
  EXPECT_GE(ten.s, 0.75);
  EXPECT_LE(ten.v, 0.65);
  // Each step deeper is darker: the shallows show their floor, the deep water is deep.
  EXPECT_GT(brightnessFromAbove(im.at(2, 2)), brightnessFromAbove(im.at(7, 2)) + 30);
  EXPECT_GT(brightnessFromAbove(im.at(7, 2)), brightnessFromAbove(im.at(12, 2)) + 10);
  EXPECT_LT(dry.h, 70) << "the sand beside them is sand";

  writeWorld("pyramid", Layout::BlockStates, {{0, 0}}, [](ChunkColumn& c) {
    const uint16_t grass = c.name("grass_block"), dirt = c.name("dirt");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) {
        const int top = 64 + std::max(0, 7 - std::max(std::abs(x - 8), std::abs(z - 8)));
        for (int y = 60; y <= top; ++y) c.set(x, y, z, y == top ? grass : dirt);
      }
  });
  for (const char* side : {"north", "east", "south", "west"}) {
    auto hill = renderFromAbove("pyramid", std::string("normal ") + side + " nobiomes");
    const int lit = brightnessFromAbove(hill.at(5, 8)), shaded = brightnessFromAbove(hill.at(11, 8));
    EXPECT_GE(lit, shaded * 1.2) << side << ": " << lit << " against " << shaded;
    EXPECT_EQ(brightnessFromAbove(hill.at(0, 15)), brightnessFromAbove(hill.at(15, 0))) << side;
  }
}

// The cave map from above shows only spaces that the ground encloses: a tree standing on open
// ground (its crown, its trunk, the flowers under it) gives none; a tunnel in the ground does.
TEST(TopDownLooks, ACaveMapShowsTunnelsAndNoTreeCrowns) {
  writeWorld("grove", Layout::BlockStates, {{0, 0}}, [](ChunkColumn& c) {
    const uint16_t stone = c.name("stone"), grass = c.name("grass_block"), log = c.name("oak_log"),
                   leaves = c.name("oak_leaves"), flower = c.name("poppy");
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z)
        for (int y = 40; y <= 64; ++y) c.set(x, y, z, y == 64 ? grass : stone);
    for (int y = 65; y <= 68; ++y) c.set(4, y, 4, log);
    for (int x = 1; x <= 7; ++x)
      for (int z = 1; z <= 7; ++z)
        for (int y = 67; y <= 69; ++y)
          if (!(x == 4 && z == 4 && y <= 68)) c.set(x, y, z, leaves);
    c.set(2, 65, 3, flower);
    for (int x = 2; x <= 13; ++x)
      for (int y = 50; y <= 52; ++y) c.set(x, y, 12, 0);  // a tunnel, east to west
  });
  auto im = renderFromAbove("grove", "normal cave nobiomes");
  int underTree = 0, tunnel = 0;
  for (int x = 0; x < 9; ++x)
    for (int z = 0; z < 9; ++z) underTree += im.at(x, z).a > 0;
  for (int x = 2; x <= 13; ++x) tunnel += im.at(x, 12).a > 0;
  EXPECT_EQ(underTree, 0) << "the tree's crown is no cave";
  EXPECT_EQ(tunnel, 12) << "the tunnel is";
}

namespace {

// How far the luminance of the drawn pixels spreads (their standard deviation).
double luminanceSpread(const sgimage::RgbaImage& im) {
  double sum = 0, squares = 0;
  int n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) {
      const Rgba p = im.at(x, y);
      if (p.a == 0) continue;
      const double l = 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b;
      sum += l, squares += l * l, ++n;
    }
  return n ? std::sqrt(std::max(0.0, squares / n - (sum / n) * (sum / n))) : 0;
}

}  // namespace

// The light map is the map from above tinted by the class of light: its land reads (hills,
// trees, shores), not one sheet of red.
TEST(TopDownLooks, TheLightMapKeepsTheLandReadable) {
  writeSmallDemoWorld("demo", 16, false);
  const double above = luminanceSpread(renderFromAbove("demo", "normal")),
               light = luminanceSpread(renderFromAbove("demo", "lightmap"));
  EXPECT_GT(above, 20);
  EXPECT_GE(light, 0.4 * above) << light << " against " << above;
  EXPECT_NE(std::string(sgrender::rendererHelp()).find("lightmap"), std::string::npos);
}
