// The projected styles drawn a band of rows at a time (lowramwrite, or a map too large to hold
// whole) come out pixel for pixel as the map drawn whole, whatever the band's height: every view,
// the finishing of the image, and the options that reach the map's edges and its ground.
#include <gtest/gtest.h>

#include <algorithm>

#include "render_call.h"
#include "support/test_system.h"
#include "tool_test_support.h"
#include "demo_worlds.h"

using sgtest::Render;
using sgtest::slurp;

namespace {

void bandsWorld() { sgtest::writeSmallDemoWorld("w", 6, true); }

void expectBandsAsWhole(const std::string& options, int bandRows) {
  SCOPED_TRACE(options + ", bands of " + std::to_string(bandRows) + " rows");
  sg::test::unsetVariable("SG_BAND_ROWS");
  Render whole("custom w " + options + " nocache outfile whole.png");
  ASSERT_EQ(whole.status, 0) << whole.errors.str();
  sg::test::setVariable("SG_BAND_ROWS", std::to_string(bandRows));
  Render banded("custom w " + options + " lowramwrite nocache outfile banded.png");
  sg::test::unsetVariable("SG_BAND_ROWS");
  ASSERT_EQ(banded.status, 0) << banded.errors.str();
  EXPECT_EQ(banded.errors.str(), whole.errors.str());  // the same summary, said once
  // The same picture: the two are written by different coders (a band at a time, and whole).
  const auto inBands = sgtest::readImage("banded.png"), held = sgtest::readImage("whole.png");
  ASSERT_EQ(inBands.width(), held.width());
  ASSERT_EQ(inBands.height(), held.height());
  EXPECT_TRUE(std::equal(inBands.data(), inBands.data() + size_t(inBands.width()) * inBands.height() * 4, held.data()));
}

}  // namespace

TEST(ProjectedBands, EveryStyleAndViewComesOutAsTheWholeMap) {
  bandsWorld();
  for (std::string style : {"isometric", "oblique", "obliqueangled"})
    for (std::string up : {"north", "east", "south", "west"}) {
#ifdef SG_SANITIZED
      if (up != "east") continue;  // the sanitizers make each render slow: one view a style there
#endif
      expectBandsAsWhole(style + " " + up, 29);
    }
}

TEST(ProjectedBands, TheFinishingAndTheOptionsThatReachTheEdgesComeOutAsTheWholeMap) {
  bandsWorld();
  for (std::string options : {"isometric flip", "obliqueangled east mirror", "isometric west sautomirror",
                              "oblique zoomlevel 2", "isometric fool_cake south", "isometric cave",
                              "obliqueangled fool_upsidedown", "isometric nether", "oblique night",
                              "isometric onlylayers 3 60 61 62"}) {
#ifdef SG_SANITIZED
    if (options.find("isometric") != 0) continue;
#endif
    expectBandsAsWhole(options, 53);
  }
  expectBandsAsWhole("isometric", 7);       // narrow bands: each chunk in many
  expectBandsAsWhole("isometric", 100000);  // one band
}
