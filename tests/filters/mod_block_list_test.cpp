// Reading mod block lists and the whole-number rule of the filter texts.
#include <gtest/gtest.h>

#include "filters/id_list_text.h"
#include "filters/mod_block_list.h"
#include "support/working_folder.h"

using sg::filters::ModBlockList;
using sg::filters::ModBlockName;

namespace {

std::vector<std::pair<int, std::string>> names(const std::vector<std::string>& lines) {
  std::vector<std::pair<int, std::string>> out;
  for (const auto& n : ModBlockList::parse(lines)) out.emplace_back(n.id, n.name);
  return out;
}
using Names = std::vector<std::pair<int, std::string>>;

}  // namespace

TEST(ModBlockList, SelectBlockThenBlockNameNamesTheId) {
  EXPECT_EQ(names({"SelectBlock 160", "BlockName Cloud", "SelectBlock 161", "BlockName Blue log"}),
            (Names{{160, "Cloud"}, {161, "Blue log"}}));
  // The name is the rest of the line, unchanged; the number is the leading number.
  EXPECT_EQ(names({"SelectBlock   5x", "BlockName  Odd  name ", "SelectBlock 7.0", "BlockName Seven"}),
            (Names{{5, " Odd  name "}, {7, "Seven"}}));
}

TEST(ModBlockList, NamesWithoutAPositiveSelectionAreDropped) {
  EXPECT_EQ(names({"BlockName Early", "SelectBlock 0", "BlockName Zero", "SelectBlock -4",
                   "BlockName Negative", "SelectBlock abc", "BlockName Nothing"}),
            Names{});
  // Above the limit, or a fraction, selects nothing: the name does not go to the earlier id.
  EXPECT_EQ(names({"SelectBlock 200", "BlockName Kept", "SelectBlock 65536", "BlockName Huge",
                   "SelectBlock 99999999999999999999999", "BlockName Huger", "SelectBlock 12.5",
                   "BlockName Half", "SelectBlock 65535", "BlockName Last"}),
            (Names{{200, "Kept"}, {65535, "Last"}}));
}

TEST(ModBlockList, KeywordsMustStartTheLineInThisCaseWithTheirBlank) {
  EXPECT_EQ(names({"SelectBlock 150", " BlockName Indented", "blockname lower", "BlockNameFoo",
                   "BlockName", "BlockName Foo", "BlockName Bar", "selectblock 151", "BlockName Baz",
                   "SelectBlock151", "BlockName Qux"}),
            (Names{{150, "Foo"}, {150, "Bar"}, {150, "Baz"}, {150, "Qux"}}));
}

TEST(ModBlockList, ApplyGrowsTheListAndTheLastNameWins) {
  std::vector<std::string> entries(110);
  ModBlockList::apply({{150, "Foo"}, {3, "Renamed dirt"}, {150, "Bar"}}, entries);
  ASSERT_EQ(entries.size(), 151u);
  EXPECT_EQ(entries[150], "Bar");
  EXPECT_EQ(entries[3], "Renamed dirt");
  EXPECT_EQ(entries[120], "");
}

TEST(ModBlockList, FileNamesAndUnreadableFiles) {
  EXPECT_TRUE(ModBlockList::isListName("aether.sgs"));
  EXPECT_TRUE(ModBlockList::isListName(".sgs"));
  EXPECT_FALSE(ModBlockList::isListName("sgs"));
  EXPECT_FALSE(ModBlockList::isListName("aether.SGS"));
  EXPECT_FALSE(ModBlockList::isListName("aether.sgs.txt"));
  EXPECT_FALSE(ModBlockList::read("missing.sgs").has_value());
  static const char content[] = "SelectBlock 300\r\nBlockName A\0B\r\n";
  sg::test::writeFile("m.sgs", std::string(content, sizeof content - 1));
  auto read = ModBlockList::read("m.sgs");
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->size(), 1u);
  EXPECT_EQ((*read)[0].name, std::string("A\0B", 3));
}

TEST(IdListText, WholeNumbersAreKeptInPlainDecimal) {
  using sg::filters::wholeNumberText;
  EXPECT_EQ(wholeNumberText("14"), "14");
  EXPECT_EQ(wholeNumberText("05"), "5");
  EXPECT_EQ(wholeNumberText("+5"), "5");
  EXPECT_EQ(wholeNumberText("000"), "0");
  EXPECT_EQ(wholeNumberText("-0"), "0");
  EXPECT_EQ(wholeNumberText("-7"), "-7");
  EXPECT_EQ(wholeNumberText(std::string(50, '9')), std::string(50, '9'));
  for (const char* bad : {"", "x", "1.5", "5.", "1e3", "-", "+", "12a", " 5", "5 ", "&H10"})
    EXPECT_FALSE(wholeNumberText(bad).has_value()) << bad;
  using sg::filters::valueWithin;
  EXPECT_EQ(valueWithin("127", 0, 127), 127);
  EXPECT_FALSE(valueWithin("128", 0, 127).has_value());
  EXPECT_FALSE(valueWithin("-1", 0, 127).has_value());
  EXPECT_FALSE(valueWithin(std::string(30, '9'), 0, 1000000).has_value());
}
