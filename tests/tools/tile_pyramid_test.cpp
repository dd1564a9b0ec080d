// The tile pyramid of a zoomable map: tiles numbered as web maps number them, the deepest level
// the image's own pixels, each level above the premultiplied average of the one below, clear
// tiles left out, and unchanged tiles left as they are when the map is made again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "imaging/png_file.h"
#include "zoom_map/tile_pyramid.h"

namespace fs = std::filesystem;
using sgimage::Rgba;
using sgimage::RgbaImage;

namespace {

// 600 x 300: a colour that changes with the place, clear in a square at the right-hand end.
RgbaImage picture() {
  RgbaImage im(600, 300);
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 600; ++x)
      if (x < 520) im.set(x, y, {uint8_t(x % 251), uint8_t(y % 241), uint8_t((x + y) % 13 * 19), uint8_t(128 + x % 128)});
  return im;
}

bool makePyramid(const RgbaImage& im, sgmap::TilePyramid& pyramid) {
  std::string error;
  std::vector<uint8_t> row(size_t(im.width()) * 4);
  for (int y = 0; y < im.height(); ++y) {
    for (int x = 0; x < im.width(); ++x) {
      const Rgba p = im.at(x, y);
      std::copy_n(&p.r, 4, row.data() + size_t(x) * 4);
    }
    if (!pyramid.addRow(row.data(), error)) {
      ADD_FAILURE() << error;
      return false;
    }
  }
  return true;
}

RgbaImage tile(int z, int x, int y) {
  RgbaImage im;
  std::string error;
  EXPECT_TRUE(sgimage::readPng("map/tiles/" + std::to_string(z) + "/" + std::to_string(x) + "/" + std::to_string(y) + ".png",
                               im, error))
      << z << "/" << x << "/" << y << ": " << error;
  return im;
}

}  // namespace

TEST(TilePyramid, TilesAreNumberedAsWebMapsAndEachLevelAveragesTheOneBelow) {
  const RgbaImage im = picture();
  sgmap::TilePyramid pyramid("map", im.width(), im.height());
  ASSERT_EQ(pyramid.deepest(), 2);  // 256 * 4 >= 600
  ASSERT_TRUE(makePyramid(im, pyramid));
  // The deepest level: the image's own pixels, from (256 X, 256 Y); clear beyond its edges.
  const RgbaImage deep = tile(2, 1, 1);
  EXPECT_EQ(deep.at(0, 0), im.at(256, 256));
  EXPECT_EQ(deep.at(100, 43), im.at(356, 299));
  EXPECT_EQ(deep.at(100, 44).a, 0);
  EXPECT_EQ(tile(2, 0, 0).at(255, 255), im.at(255, 255));
  // Level 1 averages level 2 by four, level 0 holds the whole map in one tile.
  const RgbaImage one = tile(1, 0, 0);
  uint8_t want[4];
  const Rgba a = im.at(20, 10), b = im.at(21, 10), c = im.at(20, 11), d = im.at(21, 11);
  sgmap::averageFour(&a.r, &b.r, &c.r, &d.r, want);
  EXPECT_EQ(one.at(10, 5), (Rgba{want[0], want[1], want[2], want[3]}));
  EXPECT_TRUE(fs::exists("map/tiles/0/0/0.png"));
  EXPECT_FALSE(fs::exists("map/tiles/0/1"));
  EXPECT_FALSE(fs::exists("map/tiles/1/0/1.png"));  // 300 rows are 150 at level 1: one row of tiles
  // Half the pixels clear: the average keeps the colour and halves the alpha.
  uint8_t mixed[4];
  const uint8_t red[4] = {200, 10, 10, 255}, none[4] = {0, 0, 0, 0};
  sgmap::averageFour(red, red, none, none, mixed);
  EXPECT_EQ((Rgba{mixed[0], mixed[1], mixed[2], mixed[3]}), (Rgba{200, 10, 10, 128}));
}

TEST(TilePyramid, MadeAgainItRewritesOnlyChangedTilesAndTakesAwayWhatNoLongerBelongs) {
  RgbaImage im(1024, 256);
  for (int x = 0; x < 300; ++x) im.set(x, 5, {1, 2, 3, 255});
  im.set(900, 5, {4, 5, 6, 255});  // the deepest level's tiles 0, 1 and 3 hold pixels
  std::string error;
  {
    sgmap::TilePyramid pyramid("map", im.width(), im.height());
    ASSERT_TRUE(makePyramid(im, pyramid));
    ASSERT_TRUE(pyramid.finish(error)) << error;
    EXPECT_TRUE(fs::exists("map/tiles/2/1/0.png"));
    EXPECT_FALSE(fs::exists("map/tiles/2/2/0.png"));
    EXPECT_TRUE(fs::exists("map/tiles/2/3/0.png"));
    EXPECT_EQ(pyramid.written(), 6u);
  }
  const auto firstTime = fs::last_write_time("map/tiles/2/0/0.png");
  // Again with pixels moved: the first tile is left as it was, byte for byte and time, the
  // changed ones are written, and the one that became clear goes.
  im.set(280, 5, {0, 0, 0, 0});
  im.set(900, 5, {0, 0, 0, 0});
  im.set(600, 9, {9, 9, 9, 255});
  {
    sgmap::TilePyramid again("map", im.width(), im.height());
    ASSERT_TRUE(makePyramid(im, again));
    EXPECT_TRUE(fs::exists("map/tiles/2/3/0.png"));  // taken away only once the map is complete
    ASSERT_TRUE(again.finish(error)) << error;
    EXPECT_TRUE(fs::exists("map/tiles/2/2/0.png"));
    EXPECT_FALSE(fs::exists("map/tiles/2/3/0.png"));
    EXPECT_EQ(again.unchanged(), 1u);  // the deepest level's first tile
    EXPECT_EQ(again.written(), 5u);    // its second and third, both of level 1 and level 0's
    EXPECT_EQ(again.removed(), 1u);
    EXPECT_EQ(fs::last_write_time("map/tiles/2/0/0.png"), firstTime);
    EXPECT_TRUE(again.holds(2, 2, 0));
    EXPECT_FALSE(again.holds(2, 3, 0));
  }
  // A tile replaced behind the map's back is written again although its pixels' sums match.
  {
    std::ofstream("map/tiles/2/0/0.png", std::ios::binary) << "not a tile";
    sgmap::TilePyramid third("map", im.width(), im.height());
    ASSERT_TRUE(makePyramid(im, third));
    ASSERT_TRUE(third.finish(error)) << error;
    EXPECT_EQ(third.written(), 1u);
    EXPECT_EQ(tile(2, 0, 0).at(0, 5), (Rgba{1, 2, 3, 255}));
  }
  // A smaller image: the levels and places it no longer has go, with their folders, and so does a
  // temporary file a stopped run left.
  std::ofstream("map/tiles/1/0/0.png.writing-1") << "half";
  RgbaImage small(200, 100);
  small.set(3, 3, {7, 7, 7, 255});
  sgmap::TilePyramid smaller("map", small.width(), small.height());
  ASSERT_EQ(smaller.deepest(), 0);
  ASSERT_TRUE(makePyramid(small, smaller));
  ASSERT_TRUE(smaller.finish(error)) << error;
  EXPECT_TRUE(fs::exists("map/tiles/0/0/0.png"));
  EXPECT_FALSE(fs::exists("map/tiles/1"));
  EXPECT_FALSE(fs::exists("map/tiles/2"));
  EXPECT_EQ(tile(0, 0, 0).at(3, 3), (Rgba{7, 7, 7, 255}));
}

TEST(TilePyramid, TheListOfTilesHoldsABitForEveryTileWritten) {
  RgbaImage im(700, 300);  // level 2: 3 x 2 tiles
  im.set(10, 10, {1, 1, 1, 255});   // tile 0, 0
  im.set(650, 280, {1, 1, 1, 255}); // tile 2, 1
  sgmap::TilePyramid pyramid("map", im.width(), im.height());
  ASSERT_TRUE(makePyramid(im, pyramid));
  std::string error;
  ASSERT_TRUE(pyramid.finish(error)) << error;
  std::ifstream in("map/tiles.js");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Bits 0 and 5 of six: 0b100001 = 0x21, "IQ==" in base 64.
  EXPECT_NE(text.find("{\"across\": 3, \"down\": 2, \"bits\": \"IQ==\"}"), std::string::npos) << text;
  EXPECT_NE(text.find("\"deepest\": 2"), std::string::npos);
}

TEST(TilePyramid, TheLevelsReachFromOneTileToTheImagesOwnPixels) {
  // Maps from above (512 pixels a region) and isometric ones (2048 x 1062 a region, about) of
  // 1 x 1 up to 20 x 20 regions: halving the longer side down to one tile counts the levels.
  for (int n = 1; n <= 20; ++n) {
    for (const auto& [w, h] : {std::pair(512 * n, 512 * n), std::pair(2048 * n, 1062 * n + 10)}) {
      int levels = 1;
      for (long side = std::max(w, h); side > 256; side = (side + 1) / 2) ++levels;
      sgmap::TilePyramid pyramid("map", w, h);
      EXPECT_EQ(pyramid.deepest(), levels - 1) << w << " x " << h;
      EXPECT_EQ(pyramid.tilesAcross(0), 1);
      EXPECT_EQ(pyramid.tilesAcross(pyramid.deepest()), (w + 255) / 256);
      EXPECT_EQ(pyramid.tilesDown(pyramid.deepest()), (h + 255) / 256);
    }
  }
  EXPECT_EQ(sgmap::TilePyramid("map", 40960, 21250).deepest(), 8);
  EXPECT_EQ(sgmap::TilePyramid("map", 10240, 10240).deepest(), 6);
}
