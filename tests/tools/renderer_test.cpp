// The renderer on small worlds written by the tests: both region layouts, every drawing
// option, the range, the progress and offset files, and damaged or missing data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "batch/windows_arguments.h"
#include "renderer/blocks/block_colours.h"
#include "renderer/renderer.h"
#include "render_call.h"
#include "support/test_system.h"
#include "world_builder.h"

using namespace sgtest;
using sgimage::Rgba;

namespace {

constexpr int kStone = 1, kGrass = 2, kDirt = 3, kWater = 9, kSand = 12, kGlass = 20,
              kNetherrack = 87, kBedrock = 7;

// Column x of every chunk: 0 grass on dirt at 64, 1 dirt at 63, 2 water over sand,
// 3 sand at 61, 4 glass over stone, 5 stone at 60; a cave under every column at 30-32.
int terrain(int x, int y, int z) {
  (void)z;
  if (y == 0) return kBedrock;
  if (y >= 30 && y <= 32) return 0;
  if (y < 30) return kStone;
  switch (x) {
    case 0: return y < 64 ? kDirt : y == 64 ? kGrass : 0;
    case 1: return y <= 63 ? kDirt : 0;
    case 2: return y <= 61 ? kSand : y <= 63 ? kWater : 0;
    case 3: return y <= 61 ? kSand : 0;
    case 4: return y <= 60 ? kStone : y == 70 ? kGlass : 0;
    case 5: return y <= 60 ? kStone : 0;
    default: return y <= 50 ? kStone : 0;
  }
}

void betaWorld(const std::string& folder, const std::vector<std::pair<int, int>>& chunks,
               const sgtest::BlockAt& blocks = terrain) {
  std::map<std::pair<int, int>, sgtest::RegionWriter> regions;
  for (auto [cx, cz] : chunks)
    regions[{cx >> 5, cz >> 5}].put(cx & 31, cz & 31, betaChunk(cx, cz, blocks));
  for (auto& [rc, w] : regions)
    w.write(folder + "/region/r." + std::to_string(rc.first) + "." + std::to_string(rc.second) + ".mcr");
}

// The same block at the same height, lit alike but for the relief: each level the ground rises
// towards the light of the view's north-west makes it a tenth lighter, each it falls a tenth
// darker (a filter that hides the blocks beside a column changes its relief by up to two).
bool looksLike(Rgba p, Rgba q) {
  auto near = [](int a, int b) { return std::abs(a - b) <= std::max(a, b) / 4 + 2; };
  return p.a == q.a && near(p.r, q.r) && near(p.g, q.g) && near(p.b, q.b);
}

bool sameHue(Rgba p, Rgba colour) {
  // The top block shows through with the height shading: the channels keep their order.
  auto order = [](Rgba c) { return std::tuple(c.r >= c.g, c.g >= c.b, c.r >= c.b); };
  return p.a == 255 && order(p) == order(colour);
}

}  // namespace

TEST(Renderer, DrawsBetaChunksFromAboveAtTheirPlace) {
  betaWorld("saves/World1", {{0, 0}, {-1, 2}});
  Render r("world 1 name \"t\" normal north environment saves/ progress p.log outfile out.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  auto im = readImage("out.png");
  // Chunks -1..0 by 0..2: 32 x 48 pixels; the missing chunks stay clear.
  ASSERT_EQ(im.width(), 32);
  ASSERT_EQ(im.height(), 48);
  EXPECT_EQ(im.at(0, 0).a, 0);
  EXPECT_TRUE(sameHue(im.at(16, 0), sgrender::blockColour(kGrass)));
  EXPECT_TRUE(sameHue(im.at(16 + 3, 5), sgrender::blockColour(kSand)));
  EXPECT_TRUE(sameHue(im.at(0, 32), sgrender::blockColour(kGrass)));  // chunk -1,2
  // Water over sand is bluer than sand alone.
  Rgba water = im.at(16 + 2, 0), sand = im.at(16 + 3, 0);
  EXPECT_GT(water.b, sand.b);
  EXPECT_LT(water.r, sand.r);
  EXPECT_EQ(slurp("p.log"), "100\r\n");
}

TEST(Renderer, SectionedChunksWithHighIdsAndLevelsAbove128) {
  sgtest::RegionWriter w;
  w.put(1, 0, sectionChunk(1, 0, [](int x, int y, int) {
          if (x == 0) return y == 200 ? kGrass : 0;   // above the Beta height
          if (x == 1) return y == 10 ? 276 : 0;        // 20 (glass) without the Add nibble
          return y == 64 ? kStone : 0;
        }));
  w.write("worlds/Sect/region/r.0.0.mca");
  // Beta files left beside the sections are not drawn unless asked for.
  sgtest::RegionWriter old;
  old.put(5, 5, betaChunk(5, 5, terrain));
  old.write("worlds/Sect/region/r.0.0.mcr");
  Render r("custom \"worlds/Sect\" name \"s\" normal north outfile s.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  auto im = readImage("s.png");
  ASSERT_EQ(im.width(), 16);
  EXPECT_TRUE(sameHue(im.at(0, 0), sgrender::blockColour(kGrass)));
  Rgba high = im.at(1, 0);  // an id of a newer block takes that block's colour
  EXPECT_EQ(high.a, sgrender::blockColour(276).a);
  EXPECT_TRUE(sameHue(high, sgrender::blockColour(276)));
  Render beta("custom \"worlds/Sect\" name \"s\" normal north beta outfile b.png");
  ASSERT_EQ(beta.status, 0) << beta.errors.str();
  EXPECT_EQ(readImage("b.png").width(), 16);
  EXPECT_TRUE(sameHue(readImage("b.png").at(0, 0), sgrender::blockColour(kGrass)));
}

TEST(Renderer, BlockAndLayerFiltersAndWater) {
  betaWorld("w", {{0, 0}});
  auto render = [](const std::string& extra) {
    Render r("custom w name \"x\" normal north " + extra + " outfile f.png");
    EXPECT_EQ(r.status, 0) << r.errors.str();
    return readImage("f.png");
  };
  auto plain = render("");
  // Without grass, column 0 (grass on dirt) looks like column 1 (dirt at the same height).
  EXPECT_TRUE(looksLike(render("notblocks 1 2").at(0, 0), plain.at(1, 0)));
  // Without water, the sand under it looks like sand.
  EXPECT_TRUE(looksLike(render("ignorewater").at(2, 0), plain.at(3, 0)));
  // Only sand: the sand columns keep their look, the others are clear.
  auto sandOnly = render("onlyblocks 1 12");
  EXPECT_TRUE(looksLike(sandOnly.at(3, 0), plain.at(3, 0)));
  EXPECT_EQ(sandOnly.at(0, 0).a, 0);
  // Without level 64, the grass is gone; only level 63 shows dirt everywhere it is.
  EXPECT_TRUE(looksLike(render("notlayers 1 64").at(0, 0), plain.at(1, 0)));
  auto layer63 = render("onlylayers 1 63");
  EXPECT_TRUE(looksLike(layer63.at(0, 0), plain.at(1, 0)));
  EXPECT_EQ(layer63.at(3, 0).a, 0);
  // Glass lets the stone beneath show, tinted.
  EXPECT_NE(plain.at(4, 0), plain.at(5, 0));
  EXPECT_TRUE(looksLike(render("notblocks 1 20").at(4, 0), plain.at(5, 0)));
}

TEST(Renderer, CaveNightAndNether) {
  betaWorld("w", {{0, 0}});
  Render day("custom w name \"x\" normal north outfile day.png");
  Render cave("custom w name \"x\" normal north cave outfile cave.png");
  ASSERT_EQ(cave.status, 0) << cave.errors.str();
  auto c = readImage("cave.png");
  // Every column has the cave at 30-32 above stone: all floors lie at one depth and look alike,
  // tinted by that depth.
  EXPECT_EQ(c.at(0, 0), c.at(3, 0));
  EXPECT_EQ(c.at(0, 0).a, 255);
  EXPECT_NE(c.at(0, 0), sgrender::blockColour(kStone));
  EXPECT_NE(c.at(0, 0), readImage("day.png").at(0, 0));

  Render night("custom w name \"x\" normal north night outfile night.png");
  Render dusk("custom w name \"x\" normal north twilight outfile dusk.png");
  auto d = readImage("day.png").at(3, 0), t = readImage("dusk.png").at(3, 0),
       n = readImage("night.png").at(3, 0);
  EXPECT_GT(d.r, t.r);
  EXPECT_GT(t.r, n.r);

  // The nether is drawn from DIM-1, under its roof.
  std::vector<std::pair<int, int>> one{{0, 0}};
  betaWorld("w/DIM-1", one, [](int, int y, int) {
    if (y >= 120) return kBedrock;
    return y <= 40 ? kNetherrack : 0;
  });
  Render nether("custom w name \"x\" normal north nether outfile n.png");
  ASSERT_EQ(nether.status, 0) << nether.errors.str();
  EXPECT_TRUE(sameHue(readImage("n.png").at(0, 0), sgrender::blockColour(kNetherrack)));
}

TEST(Renderer, RangeOffsetFileAndOrientation) {
  betaWorld("w", {{0, 0}, {1, 0}, {2, 3}, {-40, -40}});
  Render part("custom w name \"base\" normal north rectangle 0 2 0 0 makeoffsetfile outfile p.png");
  ASSERT_EQ(part.status, 0) << part.errors.str();
  EXPECT_EQ(readImage("p.png").width(), 32);  // chunks 0 and 1; 2 lies outside in Z
  EXPECT_EQ(readImage("p.png").height(), 16);
  EXPECT_EQ(slurp("baseOffset.txt"), "MinX: 0\r\nMaxX: 1\r\nMinZ: 0\r\nMaxZ: 0\r\n");
  Render spaced("custom w name \"base\" normal north spacedrectangle -1 2 0 1 outfile s.png");
  ASSERT_EQ(spaced.status, 0);
  auto s = readImage("s.png");
  EXPECT_EQ(s.width(), 64);
  EXPECT_EQ(s.height(), 32);
  EXPECT_EQ(s.at(0, 0).a, 0);
  EXPECT_EQ(s.at(16, 0).a, 255);
  Render whole("custom w name \"all\" normal north makeoffsetfile outfile a.png");
  EXPECT_EQ(slurp("allOffset.txt"), "MinX: -40\r\nMaxX: 2\r\nMinZ: -40\r\nMaxZ: 3\r\n");
  // East at the top: the map turns a quarter to the left.
  Render north("custom w name \"x\" normal north rectangle 0 1 0 0 outfile n.png");
  Render east("custom w name \"x\" normal east rectangle 0 1 0 0 outfile e.png");
  auto n = readImage("n.png"), e = readImage("e.png");
  ASSERT_EQ(e.width(), 16);
  ASSERT_EQ(e.height(), 32);
  // The relief turns with the view, the colours stay.
  EXPECT_TRUE(looksLike(e.at(0, 31), n.at(0, 0)));
  EXPECT_TRUE(looksLike(e.at(0, 0), n.at(31, 0)));
}

TEST(Renderer, DamagedChunksAreSkippedAndTheRestIsDrawn) {
  sgtest::RegionWriter w;
  w.put(0, 0, betaChunk(0, 0, terrain));
  w.raw(1, 0, "this is not zlib data", 2);
  w.raw(2, 0, zlibCompress("\x0a\x00\x00\x07\x00\x06Blocks\x7f\xff\xff\xff"), 2);  // a length past the end
  w.raw(3, 0, "x", 9);
  w.write("w/region/r.0.0.mcr");
  spit("w/region/r.1.0.mcr", "short");
  spit("w/region/r.2.0.mcr", "");
  Render r("custom w name \"x\" normal north verbosity 1 outfile d.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  std::string msg = r.errors.str();
  // One summary line with the count and the first reason...
  EXPECT_NE(msg.find("3 damaged chunks were skipped; the first: chunk 1,0 in r.0.0.mcr"), std::string::npos) << msg;
  EXPECT_EQ(msg.find("chunk 2,0"), std::string::npos) << msg;
  EXPECT_NE(msg.find("skipped region r.1.0.mcr"), std::string::npos) << msg;
  // ...and each one at the chunk-level verbosity.
  Render each("custom w name \"x\" normal north verbosity 3 outfile d.png");
  msg = each.errors.str();
  EXPECT_NE(msg.find("skipped chunk 2,0 in r.0.0.mcr"), std::string::npos) << msg;
  EXPECT_NE(msg.find("unknown compression 9"), std::string::npos) << msg;
  auto im = readImage("d.png");
  ASSERT_EQ(im.width(), 64);
  EXPECT_EQ(im.at(0, 0).a, 255);
  EXPECT_EQ(im.at(20, 0).a, 0);
}

TEST(Renderer, MissingWorldsAndUnwritableOutputFail) {
  Render none("custom nowhere name \"x\" normal north outfile o.png");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.errors.str().find("nothing drawn of world 'nowhere': there is no such folder"), std::string::npos)
      << none.errors.str();
  std::filesystem::create_directories("empty/region");
  Render empty("custom empty name \"x\" normal north outfile o.png");
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.errors.str().find("no region files"), std::string::npos);
  Render bad("custom empty sparkle");
  EXPECT_EQ(bad.status, 1);
  EXPECT_FALSE(exists("o.png"));

  betaWorld("w", {{0, 0}});
  std::filesystem::create_directory("taken.png");
  Render blocked("custom w name \"x\" normal north outfile taken.png");
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.errors.str().find("cannot write the image"), std::string::npos);
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(".")) files += e.is_regular_file();
  EXPECT_EQ(files, 0);
}

TEST(Renderer, SaveFolderComesFromTheEnvironmentArgumentOrAppData) {
  betaWorld("appdata/.minecraft/saves/My World", {{0, 0}});
  std::string appdata = (std::filesystem::current_path() / "appdata").string();
  sgrender::RenderRequest r;
  r.folder = "My World";
  sg::test::setVariable("APPDATA", appdata);
  EXPECT_TRUE(std::filesystem::is_directory(sgrender::worldFolder(r)));
  sg::test::unsetVariable("APPDATA");
  r.environment = "appdata\\.minecraft\\saves\\";
  EXPECT_TRUE(std::filesystem::is_directory(sgrender::worldFolder(r)));
  r.environment = "appdata/.minecraft/saves";  // no separator at the end
  EXPECT_TRUE(std::filesystem::is_directory(sgrender::worldFolder(r)));
}
