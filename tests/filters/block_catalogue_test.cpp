// The fixed block table and its category views.
#include <gtest/gtest.h>

#include <set>

#include "filters/block_catalogue.h"

using sg::filters::BlockCatalogue;

namespace {

std::set<int> namedIds(int filter) {
  std::set<int> out;
  auto v = BlockCatalogue::view(filter);
  EXPECT_EQ(v.size(), 110u);
  for (int i = 0; i < static_cast<int>(v.size()); ++i)
    if (!v[static_cast<size_t>(i)].empty()) out.insert(i);
  return out;
}

}  // namespace

TEST(BlockCatalogue, NamesAreExactIncludingTheEmptyAndTheTrailingBlank) {
  EXPECT_EQ(BlockCatalogue::name(0), "All");
  EXPECT_EQ(BlockCatalogue::name(14), "Gold ore");
  EXPECT_EQ(BlockCatalogue::name(36), "");
  EXPECT_EQ(BlockCatalogue::name(55), "Redstone Wire ");
  EXPECT_EQ(BlockCatalogue::name(63), "Sign Post (might not work)");
  EXPECT_EQ(BlockCatalogue::name(91), "Jack-O-Lantern");
  EXPECT_EQ(BlockCatalogue::name(109), "Stone brick stairs");
  EXPECT_THROW(BlockCatalogue::name(110), std::out_of_range);
  EXPECT_THROW(BlockCatalogue::name(-1), std::out_of_range);
}

TEST(BlockCatalogue, FilterItemsAreTheNineFixedOnes) {
  EXPECT_EQ(BlockCatalogue::filterItems(),
            (std::vector<std::string>{"All blocks", "Common blocks", "Plantlife", "Lava and water",
                                      "Manufactured", "Ores", "Redstone", "Nether",
                                      "Dungeon / stronghold"}));
}

TEST(BlockCatalogue, EveryCategoryViewKeepsPositionsAndNamesItsMembers) {
  const std::map<int, std::set<int>> expected = {
      {1, {1, 2, 3, 4, 7, 12, 13, 78, 79, 80, 98}},
      {2, {2, 6, 17, 18, 30, 31, 32, 37, 38, 39, 40, 48, 59, 60, 81, 83, 86, 99, 100, 103, 104, 105, 106}},
      {3, {8, 9, 10, 11, 49, 51, 79}},
      {4, {4, 5, 20, 22, 23, 24, 25, 26, 27, 28, 29, 33, 34, 41, 42, 43, 44, 45, 46, 47, 50, 53, 54, 57,
           58, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 77, 84, 85, 91, 92, 95, 96, 101, 102, 107,
           108, 109}},
      {5, {14, 15, 16, 21, 52, 56, 73, 74, 82, 97}},
      {6, {55, 75, 76, 93, 94}},
      {7, {7, 10, 11, 13, 49, 87, 88, 89, 90}},
      {8, {30, 48, 52, 54, 66, 97, 98, 101}},
  };
  for (const auto& [filter, ids] : expected) {
    EXPECT_EQ(namedIds(filter), ids) << "filter " << filter;
    auto v = BlockCatalogue::view(filter);
    for (int id : ids) EXPECT_EQ(v[static_cast<size_t>(id)], BlockCatalogue::name(id));
  }
  EXPECT_EQ(BlockCatalogue::view(7)[7], "Bedrock");
  EXPECT_EQ(BlockCatalogue::view(7)[49], "Obsidian");
}

TEST(BlockCatalogue, AllBlocksNamesEverythingButTheEmptyRow) {
  for (int filter : {-1, 0}) {
    auto ids = namedIds(filter);
    EXPECT_EQ(ids.size(), 109u);
    EXPECT_EQ(ids.count(36), 0u);
  }
  // Rows in no category, and the rows in two.
  for (int id : {0, 19, 35, 36})
    for (int c = 1; c <= 8; ++c) EXPECT_FALSE(BlockCatalogue::belongsTo(id, c)) << id;
  int inTwo = 0, inNone = 0;
  for (int id = 0; id < 110; ++id) {
    int n = 0;
    for (int c = 1; c <= 8; ++c) n += BlockCatalogue::belongsTo(id, c);
    EXPECT_LE(n, 2);
    inTwo += n == 2;
    inNone += n == 0;
  }
  EXPECT_EQ(inTwo, 16);
  EXPECT_EQ(inNone, 4);
}

TEST(BlockCatalogue, AModListFilterNamesNothing) {
  for (int filter : {9, 10, 200}) EXPECT_TRUE(namedIds(filter).empty());
}

TEST(BlockCatalogue, DisplayTextIsTheIdABlankAndTheEntry) {
  EXPECT_EQ(BlockCatalogue::displayText(14, "Gold ore"), "14 Gold ore");
  EXPECT_EQ(BlockCatalogue::displayText(15, ""), "15 ");
  EXPECT_EQ(BlockCatalogue::displayText(55, BlockCatalogue::name(55)), "55 Redstone Wire ");
  EXPECT_EQ(BlockCatalogue::displayText(0, "All"), "0 All");
}
