// The stack list's buttons through the main window.
#include <gtest/gtest.h>

#include "job_window.h"

using sg::test::plainEntry;

namespace {

struct StackButtons : ::testing::Test {
  sg::test::JobWindow w;
  sg::forms::Control& list() { return w.c("stacklist"); }
  void threeRows() {
    w.addRow(plainEntry("b"));
    w.addRow(plainEntry("c"));
    list().setListIndex(1);
  }
  void click(const char* button) { w.c(button).fire(sg::forms::Event::Click); }
  std::vector<std::string> rows() { return list().items(); }
};

TEST_F(StackButtons, MoveUpAndDownCarryTheRowAndLoadIt) {
  threeRows();
  click("Command1");
  EXPECT_EQ(rows(), (std::vector<std::string>{plainEntry("b"), plainEntry("base"), plainEntry("c")}));
  EXPECT_EQ(list().listIndex(), 0);
  EXPECT_EQ(w.c("txtmapname").text(), "b");
  click("Command1");  // first row: nothing
  EXPECT_EQ(list().listIndex(), 0);
  EXPECT_EQ(rows()[0], plainEntry("b"));
  click("Command2");
  click("Command2");
  EXPECT_EQ(rows(), (std::vector<std::string>{plainEntry("base"), plainEntry("c"), plainEntry("b")}));
  EXPECT_EQ(list().listIndex(), 2);
  click("Command2");  // last row: nothing
  EXPECT_EQ(list().listIndex(), 2);
  EXPECT_EQ(w.c("txtmapname").text(), "b");
}

TEST_F(StackButtons, DeleteSelectsTheRowTakingItsPlaceAndKeepsTheLastRow) {
  threeRows();
  click("Command4");
  EXPECT_EQ(rows(), (std::vector<std::string>{plainEntry("base"), plainEntry("c")}));
  EXPECT_EQ(list().listIndex(), 1);
  EXPECT_EQ(w.c("txtmapname").text(), "c");  // the row that took its place is loaded
  click("Command4");
  EXPECT_EQ(list().listIndex(), 0);
  EXPECT_EQ(w.c("txtmapname").text(), "base");
  click("Command4");
  EXPECT_EQ(rows(), std::vector<std::string>{plainEntry("base")});
  EXPECT_EQ(list().listIndex(), 0);
}

TEST_F(StackButtons, InsertAndDuplicateAppendWithoutMovingTheSelection) {
  w.c("defaultset").setText("world 1 normal north");
  w.c("txtmapname").setText("edited");
  click("Command3");
  click("Command13");
  ASSERT_EQ(rows().size(), 3u);
  EXPECT_EQ(rows()[1], "world 1 normal north");
  EXPECT_EQ(rows()[2], plainEntry("edited"));
  EXPECT_EQ(list().listIndex(), 0);
  EXPECT_EQ(w.c("txtmapname").text(), "edited");
}

TEST_F(StackButtons, ThousandsOfRowsStayInOrder) {
  for (int i = 0; i < 3000; ++i) click("Command13");
  EXPECT_EQ(list().listCount(), 3001);
  list().setListIndex(3000);
  for (int i = 0; i < 5; ++i) click("Command1");
  EXPECT_EQ(list().listIndex(), 2995);
  for (int i = 0; i < 3001; ++i) click("Command4");
  EXPECT_EQ(list().listCount(), 1);
}

}  // namespace
