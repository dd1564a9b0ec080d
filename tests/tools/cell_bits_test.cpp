// A level of a chunk as bits: packed from its cells, its cells' neighbours in x and z (with the
// level's edge taken as given), and its cells visited in order, against the cells one by one.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "renderer/styles/cell_bits.h"

using sgrender::LevelBits;

namespace {

bool cellSet(const LevelBits& l, int i) { return (l[size_t(i / 64)] >> (i % 64)) & 1; }

}  // namespace

TEST(CellBits, ALevelsBitsAndNeighboursMatchItsCells) {
  std::mt19937 random(11);
  for (int round = 0; round < 50; ++round) {
    std::vector<uint8_t> cells(256);
    const unsigned density = round % 5;  // from empty to full
    for (auto& c : cells) c = random() % 4 < density ? 1 : 0;
    const LevelBits bits = sgrender::packLevel(cells.data());
    for (int i = 0; i < 256; ++i) ASSERT_EQ(cellSet(bits, i), cells[size_t(i)] == 1) << "cell " << i;

    for (const int d : {1, -1, 16, -16})
      for (const bool outside : {false, true}) {
        const LevelBits n = sgrender::neighbours(bits, d, outside);
        for (int i = 0; i < 256; ++i) {
          const int x = i % 16 + (d == 1 ? 1 : d == -1 ? -1 : 0), z = i / 16 + (d == 16 ? 1 : d == -16 ? -1 : 0);
          const bool want = x < 0 || x > 15 || z < 0 || z > 15 ? outside : cells[size_t(z * 16 + x)] == 1;
          ASSERT_EQ(cellSet(n, i), want) << "cell " << i << ", offset " << d << (outside ? ", edge set" : "");
        }
      }

    std::vector<int> visited;
    sgrender::eachCell(bits, [&](int i) { visited.push_back(i); });
    std::vector<int> want;
    for (int i = 0; i < 256; ++i)
      if (cells[size_t(i)]) want.push_back(i);
    EXPECT_EQ(visited, want);
  }
}
