// Which layers a per-layer entry renders.
#include <gtest/gtest.h>

#include "jobs/layer_expansion.h"

using sg::jobs::layersToRender;

namespace {

std::vector<int> allBut(std::initializer_list<int> hidden) {
  std::vector<int> v;
  for (int j = 0; j < 128; ++j)
    if (std::find(hidden.begin(), hidden.end(), j) == hidden.end()) v.push_back(j);
  return v;
}

TEST(LayerExpansion, OnlyListedLayersInRisingOrder) {
  EXPECT_EQ(layersToRender(1, "20 10"), (std::vector<int>{10, 20}));
  EXPECT_EQ(layersToRender(1, "10 10"), (std::vector<int>{10}));  // listed twice, not switched back
  EXPECT_EQ(layersToRender(1, ""), std::vector<int>{});
  EXPECT_EQ(layersToRender(1, "0 127"), (std::vector<int>{0, 127}));
}

TEST(LayerExpansion, OtherFiltersRenderEveryLayerNotListed) {
  EXPECT_EQ(layersToRender(0, ""), allBut({}));
  EXPECT_EQ(layersToRender(0, "5"), allBut({5}));
  EXPECT_EQ(layersToRender(2, "1 2  3"), allBut({1, 2, 3}));
}

TEST(LayerExpansion, NumbersAreRoundedHalvesToEven) {
  EXPECT_EQ(layersToRender(1, "2.5 3.5 4.4 +6 -0.4"), (std::vector<int>{0, 2, 4, 6}));
}

TEST(LayerExpansion, PiecesThatAreNoLayerAreIgnored) {
  // Out of range, not numbers, and values inside (-1, 128) that round to no layer.
  EXPECT_EQ(layersToRender(1, "-1 128 1000 abc 5x x5 1e2 . - 12,5 -0.6 127.6 99999999999999999999"),
            std::vector<int>{});
  EXPECT_EQ(layersToRender(2, "-0.6 127.6 junk"), allBut({}));
  // Leading blanks give empty pieces, which are no numbers; the listed layer still counts.
  EXPECT_EQ(layersToRender(1, "  7"), (std::vector<int>{7}));
}

}  // namespace
