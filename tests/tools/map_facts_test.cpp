// The facts of a zoomable map follow the picture through every turn and mirror: an image whose
// every pixel holds its own place is put through the steps, and at each pixel of the result the
// facts must lead back to the place the pixel came from.
#include <gtest/gtest.h>

#include <cmath>

#include "imaging/image_operations.h"
#include "renderer/terms/view.h"
#include "zoom_map/map_facts.h"

using sgimage::Rgba;
using sgimage::RgbaImage;
using sgmap::MapFacts;

namespace {

enum Step { MirrorH, MirrorV, Turn90, Turn180, Turn270 };

void apply(Step s, RgbaImage& im, MapFacts& f) {
  switch (s) {
    case MirrorH: im = sgimage::mirrorHorizontally(im), f.mirrorHorizontally(); break;
    case MirrorV: im = sgimage::mirrorVertically(im), f.mirrorVertically(); break;
    case Turn90: im = sgimage::rotateClockwise(im, 90), f.rotateClockwise(90); break;
    case Turn180: im = sgimage::rotateClockwise(im, 180), f.rotateClockwise(180); break;
    case Turn270: im = sgimage::rotateClockwise(im, 270), f.rotateClockwise(270); break;
  }
}

// At every pixel's centre the facts place the column that the pixel shows.
void expectFactsLeadBack(const RgbaImage& im, const MapFacts& f, const std::string& what) {
  ASSERT_EQ(f.width, im.width()) << what;
  ASSERT_EQ(f.height, im.height()) << what;
  const auto& b = *f.blocks;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const int bx = static_cast<int>(std::floor(b.ax * px + b.bx * py + b.cx));
      const int bz = static_cast<int>(std::floor(b.az * px + b.bz * py + b.cz));
      ASSERT_EQ(im.at(x, y), (Rgba{uint8_t(bx), uint8_t(bz), 0, 255})) << what << " at " << x << ", " << y;
    }
}

}  // namespace

TEST(MapFacts, EveryTurnAndMirrorKeepsTheBlocksUnderThePixels) {
  const Step sequences[][3] = {{MirrorH, MirrorH, MirrorH}, {Turn90, Turn90, Turn90}, {Turn270, MirrorV, MirrorV},
                               {MirrorH, Turn90, MirrorV}, {Turn180, MirrorH, Turn270}, {MirrorV, Turn270, Turn90}};
  for (const auto& steps : sequences) {
    for (int count = 1; count <= 3; ++count) {
      RgbaImage im(7, 4);
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) im.set(x, y, {uint8_t(x), uint8_t(y), 0, 255});
      MapFacts f;
      f.width = 7, f.height = 4;
      f.blocks = sgmap::BlockPlacement{};  // the column is the pixel
      std::string what;
      for (int i = 0; i < count; ++i) {
        apply(steps[i], im, f);
        what += std::to_string(steps[i]) + " ";
      }
      expectFactsLeadBack(im, f, what);
    }
  }
}

TEST(MapFacts, TheMapFromAbovePlacesColumnsAsTheViewTurnsTheWorld) {
  for (int up = 0; up < 4; ++up) {
    sgrender::View view{static_cast<sgrender::Orientation>(up)};
    const int minU = -40, minV = 17;
    const auto p = sgmap::placementFromAbove(up, minU, minV);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) {
        const auto [wx, wz] = view.toWorld(x + minU, y + minV);
        const double px = x + 0.5, py = y + 0.5;
        EXPECT_EQ(std::floor(p.ax * px + p.bx * py + p.cx), wx) << up;
        EXPECT_EQ(std::floor(p.az * px + p.bz * py + p.cz), wz) << up;
      }
  }
}

TEST(MapFacts, CropAndZoomMoveAndScaleThePlacement) {
  MapFacts f;
  f.width = 100, f.height = 50;
  f.blocks = sgmap::BlockPlacement{};
  f.crop(10, 5, 30, 20);
  f.zoom(2.5, 75, 50);
  EXPECT_EQ(f.width, 75);
  // Pixel 25 of the zoomed map is pixel 10 of the cropped one, 20 of the whole.
  EXPECT_DOUBLE_EQ(f.blocks->ax * 25 + f.blocks->cx, 20);
  EXPECT_DOUBLE_EQ(f.blocks->bz * 25 + f.blocks->cz, 15);
}

TEST(MapFacts, TheTextKeepsEveryFactAndRefusesWhatIsNotFacts) {
  MapFacts f;
  f.world = "Über welt\nnext";
  f.style = "Heightmap, color";
  f.orientation = "West";
  f.width = 640, f.height = 384;
  f.blocks = sgmap::BlockPlacement{0, -1, 12.5, 1, 0, -300};
  f.spawn = {-12, 99};
  const auto back = sgmap::parseFacts(sgmap::factsText(f));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->world, "Über welt next");  // one line
  EXPECT_EQ(back->style, f.style);
  EXPECT_EQ(back->width, 640);
  EXPECT_EQ(back->blocks->cx, 12.5);
  EXPECT_EQ(back->blocks->cz, -300);
  EXPECT_EQ(back->spawn, f.spawn);
  EXPECT_FALSE(sgmap::parseFacts(""));
  EXPECT_FALSE(sgmap::parseFacts("strandvale-g map facts 1\nworld x\n"));  // no size
  EXPECT_FALSE(sgmap::parseFacts("strandvale-g map facts 1\nsize 3 4\nblocks 1 2\n"));
  EXPECT_EQ(sgmap::factsFileOf("renderJob3layer0.png"), "renderJob3layer0_map.txt");
  EXPECT_EQ(sgmap::mapFolderOf("out/My map.png"), "out/My map_map");
}
