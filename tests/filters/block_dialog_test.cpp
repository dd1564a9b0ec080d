// The block filter dialog opened from the main window: choosing, removing, confirming, and the
// mod block lists of the working folder.
#include <gtest/gtest.h>

#include <cstdio>

#include "filters/form3.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::writeFile;

namespace {

struct BlockDialog : MainWindow {
  sg::filters::Form3& open(const std::string& blockfilter = "") {
    c("blockfiltertext").setText(blockfilter);
    c("Command8").userClick();
    return *registry.findAs<sg::filters::Form3>("Form3");
  }
  sg::forms::Control& d(const char* name) { return registry.find("Form3")->control(name); }
  void tickCatalogue(int id) { d("comboonly").setSelected(id, true); }
  void tickChosen(const std::string& shown) {
    auto& l = d("List1");
    for (int i = 0; i < l.listCount(); ++i)
      if (l.list(i) == shown) l.setSelected(i, true);
  }
  void press(const char* button) { d(button).userClick(); }
  void chooseFilter(int i) { d("comboonlyfilter").setListIndex(i); }
};

}  // namespace

TEST(BlockDialog, OpeningShowsTheChoiceCleanedUp) {
  BlockDialog w;
  auto& f3 = w.open("4 4 x 12  7");
  EXPECT_TRUE(f3.visible());
  EXPECT_EQ(f3.caption(), "Select blocks");
  EXPECT_EQ(w.d("List1").items(), (std::vector<std::string>{"4 Cobblestone", "12 Sand", "7 Bedrock"}));
  EXPECT_EQ(w.d("shadowlist").text(), "4 12 7 ");
  // The catalogue shows every block, and the main window's text is untouched until Confirm.
  EXPECT_EQ(w.d("comboonlyfilter").text(), "All blocks");
  EXPECT_EQ(w.d("comboonly").listCount(), 110);
  EXPECT_EQ(w.d("comboonly").list(36), "36 ");
  EXPECT_EQ(w.d("shadowalllist").listCount(), 110);
  EXPECT_EQ(w.c("blockfiltertext").text(), "4 4 x 12  7");
}

TEST(BlockDialog, FractionsLeadingZerosAndIdsBeyondTheCatalogue) {
  BlockDialog w;
  w.open("05 5 1.5 +3 200 99999999999999999999 -2 1e2");
  EXPECT_EQ(w.d("shadowlist").text(), "5 3 200 99999999999999999999 -2 ");
  EXPECT_EQ(w.d("List1").items(), (std::vector<std::string>{"5 Wooden Plank", "3 Dirt", "200 ",
                                                            "99999999999999999999 ", "-2 "}));
  // Each of them can be removed by its tick.
  w.tickChosen("200 ");
  w.tickChosen("-2 ");
  w.press("Command1");
  EXPECT_EQ(w.d("shadowlist").text(), "5 3 99999999999999999999 ");
}

TEST(BlockDialog, AddCheckedAppendsTheTickedIdsOnce) {
  BlockDialog w;
  w.open("1 ");
  w.chooseFilter(5);  // Ores
  EXPECT_EQ(w.d("comboonly").list(14), "14 Gold ore");
  EXPECT_EQ(w.d("comboonly").list(15), "15 Iron ore");
  EXPECT_EQ(w.d("comboonly").list(1), "1 ");
  for (int round = 0; round < 2; ++round) {
    w.tickCatalogue(14);
    w.tickCatalogue(56);
    w.press("Command4");
    EXPECT_FALSE(w.d("comboonly").selected(14));
    EXPECT_FALSE(w.d("comboonly").selected(56));
    EXPECT_EQ(w.d("shadowlist").text(), "1 14 56 ");
  }
  EXPECT_EQ(w.d("List1").items(), (std::vector<std::string>{"1 Stone", "14 Gold ore", "56 Diamond Ore"}));
  // Unnamed entries can be added as well.
  w.tickCatalogue(1);
  w.tickCatalogue(3);
  w.press("Command4");
  EXPECT_EQ(w.d("shadowlist").text(), "1 14 56 3 ");
}

TEST(BlockDialog, RemoveCheckedMatchesWholeIds) {
  BlockDialog w;
  w.open("5 56 50 ");
  w.tickChosen("56 Diamond Ore");
  w.press("Command1");
  EXPECT_EQ(w.d("shadowlist").text(), "5 50 ");
  EXPECT_EQ(w.d("List1").items(), (std::vector<std::string>{"5 Wooden Plank", "50 Torch"}));
  w.press("Command2");
  EXPECT_EQ(w.d("shadowlist").text(), "");
  EXPECT_EQ(w.d("List1").listCount(), 0);
}

TEST(BlockDialog, UncheckAllClearsTheCatalogueTicks) {
  BlockDialog w;
  w.open("2 ");
  w.tickCatalogue(8);
  w.tickChosen("2 Grass");
  w.press("Command5");
  EXPECT_FALSE(w.d("comboonly").selected(8));
  EXPECT_FALSE(w.d("List1").selected(0));
  EXPECT_EQ(w.d("shadowlist").text(), "2 ");
}

TEST(BlockDialog, ConfirmWritesTheChoiceAndSwitchesOnlyShowAll) {
  BlockDialog w;
  w.c("blockfiltercombo").setListIndex(0);
  auto& f3 = w.open("");
  w.press("Command3");
  EXPECT_FALSE(f3.visible());
  EXPECT_EQ(w.c("blockfiltertext").text(), "");
  EXPECT_EQ(w.c("blockfiltercombo").listIndex(), 1);

  w.c("blockfiltercombo").setListIndex(2);
  w.open("9 8 9");
  w.press("Command3");
  EXPECT_EQ(w.c("blockfiltertext").text(), "9 8 ");
  EXPECT_EQ(w.c("blockfiltercombo").listIndex(), 2);
  // The stack entry follows the main window's filter.
  EXPECT_NE(w.selectedLine().find("notblocks 2 9 8 "), std::string::npos);
}

TEST(BlockDialog, ReopeningResetsTheFilterAndReloadsTheChoice) {
  BlockDialog w;
  w.open("1 ");
  w.chooseFilter(6);
  w.tickCatalogue(55);
  w.press("Command4");
  EXPECT_EQ(w.d("shadowlist").text(), "1 55 ");
  w.open("3 ");  // not confirmed: the earlier choice is lost
  EXPECT_EQ(w.d("comboonlyfilter").listIndex(), 0);
  EXPECT_EQ(w.d("shadowlist").text(), "3 ");
  EXPECT_EQ(w.d("comboonly").list(5), "5 Wooden Plank");
}

TEST(BlockDialog, DefaultButtonFollowsTheListClicked) {
  BlockDialog w;
  w.open("4 ");
  w.d("List1").setListIndex(0);
  EXPECT_TRUE(w.d("Command1").isDefault());
  w.d("comboonly").setListIndex(3);
  EXPECT_TRUE(w.d("Command4").isDefault());
  EXPECT_FALSE(w.d("Command1").isDefault());
}

TEST(BlockDialog, ModListsExtendTheCatalogue) {
  writeFile("aether.sgs", "SelectBlock 150\r\nBlockName Foo\r\n");
  writeFile("notes.txt", "SelectBlock 120\r\nBlockName Ignored\r\n");
  writeFile("LOUD.SGS", "SelectBlock 120\r\nBlockName Ignored\r\n");
  BlockDialog w;
  w.open("150 120 ");
  auto& filter = w.d("comboonlyfilter");
  ASSERT_EQ(filter.listCount(), 10);
  EXPECT_EQ(filter.list(9), "aether.sgs");
  auto& only = w.d("comboonly");
  ASSERT_EQ(only.listCount(), 151);
  EXPECT_EQ(only.list(110), "110 ");
  EXPECT_EQ(only.list(149), "149 ");
  EXPECT_EQ(only.list(150), "150 Foo");
  EXPECT_EQ(w.d("shadowalllist").listCount(), 151);
  EXPECT_EQ(w.d("List1").items(), (std::vector<std::string>{"150 Foo", "120 "}));

  w.chooseFilter(9);
  ASSERT_EQ(only.listCount(), 151);
  for (int i = 0; i < 150; ++i) EXPECT_EQ(only.list(i), std::to_string(i) + " ");
  EXPECT_EQ(only.list(150), "150 Foo");
  // A category view has no mod entries.
  w.chooseFilter(1);
  EXPECT_EQ(only.listCount(), 110);
}

TEST(BlockDialog, LaterModListsWinAndZeroSelectsNothing) {
  writeFile("a.sgs", "SelectBlock 120\r\nBlockName First\r\nSelectBlock 3\r\nBlockName Mod dirt\r\n");
  writeFile("b.sgs", "SelectBlock 120\r\nBlockName Second\r\nSelectBlock 0\r\nBlockName Air\r\n");
  BlockDialog w;
  w.open();
  auto& only = w.d("comboonly");
  EXPECT_EQ(only.list(120), "120 Second");
  EXPECT_EQ(only.list(3), "3 Mod dirt");
  EXPECT_EQ(only.list(0), "0 All");
  EXPECT_EQ(w.d("comboonlyfilter").list(9), "a.sgs");
  EXPECT_EQ(w.d("comboonlyfilter").list(10), "b.sgs");
}

TEST(BlockDialog, AListThatVanishesIsSkippedAndEditsShowAtTheNextRebuild) {
  writeFile("gone.sgs", "SelectBlock 130\r\nBlockName Soon gone\r\n");
  writeFile("kept.sgs", "SelectBlock 140\r\nBlockName Kept\r\n");
  BlockDialog w;
  w.open("130 140 1 ");
  std::remove("gone.sgs");
  writeFile("kept.sgs", "SelectBlock 140\r\nBlockName Edited\r\n");
  w.chooseFilter(9);
  EXPECT_EQ(w.d("comboonly").listCount(), 110);
  w.chooseFilter(0);
  EXPECT_EQ(w.d("comboonly").listCount(), 141);
  EXPECT_EQ(w.d("comboonly").list(130), "130 ");
  EXPECT_EQ(w.d("comboonly").list(140), "140 Edited");
  EXPECT_EQ(w.d("shadowlist").text(), "130 140 1 ");
  EXPECT_EQ(w.d("comboonlyfilter").listCount(), 11);
}

TEST(BlockDialog, TheCloseBoxUnloadsAndTheNextOpeningListsNewFiles) {
  BlockDialog w;
  w.open();
  EXPECT_EQ(w.d("comboonlyfilter").listCount(), 9);
  writeFile("late.sgs", "SelectBlock 111\r\nBlockName Late\r\n");
  w.open();
  EXPECT_EQ(w.d("comboonlyfilter").listCount(), 9);  // still loaded: not listed yet
  w.registry.close(*w.registry.find("Form3"));
  w.registry.collect();
  EXPECT_EQ(w.registry.find("Form3"), nullptr);
  w.open("111 ");
  EXPECT_EQ(w.d("comboonlyfilter").listCount(), 10);
  EXPECT_EQ(w.d("List1").items(), (std::vector<std::string>{"111 Late"}));
}

TEST(BlockDialog, HugeAndNegativeSelectionsDoNotGrowTheList) {
  writeFile("wild.sgs",
            "SelectBlock 4294967297\r\nBlockName Wrapped\r\nSelectBlock -1\r\nBlockName Minus\r\n"
            "SelectBlock 1e9\r\nBlockName Exponent\r\n" + std::string(100000, 'B') + "\r\n");
  BlockDialog w;
  w.open();
  EXPECT_EQ(w.d("comboonly").listCount(), 110);
  // The number is read as far as it goes: 1e9 selects block 1.
  EXPECT_EQ(w.d("comboonly").list(1), "1 Exponent");
}
