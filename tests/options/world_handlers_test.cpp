#include <gtest/gtest.h>

#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::workingFolder;
using sg::test::writeFile;
using namespace sg;

namespace {

struct WorldBoxes : ::testing::Test {
  MainWindow w;
  void selectCustom() {
    auto& worlds = w.c("comboworldfolders");
    worlds.setListIndex(worlds.listCount() - 1);
  }
};

}  // namespace

TEST_F(WorldBoxes, SelectingAWorldProposesItsNameAndSelectingCustomKeepsIt) {
  writeFile(MainWindow::savesFolder() + "Alpha/level.dat", "");
  w.setWorlds({"Alpha", "Gone"});
  w.c("comboworldfolders").setListIndex(1);
  EXPECT_EQ(w.c("txtmapname").text(), "Level.dat NOT FOUND");
  EXPECT_FALSE(w.c("txtcustompath").enabled());
  w.c("comboworldfolders").setListIndex(0);
  EXPECT_EQ(w.c("txtmapname").text(), "Alpha");
  EXPECT_EQ(w.selectedLine().rfind("folder \"Alpha\" name \"Alpha\" ", 0), 0u) << w.selectedLine();
  selectCustom();
  EXPECT_TRUE(w.c("txtcustompath").enabled());
  EXPECT_EQ(w.c("txtmapname").text(), "Alpha");
  EXPECT_EQ(w.selectedLine().rfind("custom \"\" name \"Alpha\" ", 0), 0u) << w.selectedLine();
}

TEST_F(WorldBoxes, ACustomPathNamesTheMapOnceItNoLongerEndsWithASeparator) {
  writeFile("worlds/My World/level.dat", "");
  selectCustom();
  auto& path = w.c("txtcustompath");
  std::string base = workingFolder() + "/worlds/My World";
  path.setText(base);
  EXPECT_EQ(w.c("txtmapname").text(), "My World");
  std::string line = w.selectedLine();
  w.c("txtmapname").setText("mine");
  line = w.selectedLine();
  path.setText(base + "/");
  EXPECT_EQ(w.c("txtmapname").text(), "mine");
  EXPECT_EQ(w.selectedLine(), line);
  path.setText(base + "\\");
  EXPECT_EQ(w.selectedLine(), line);
  path.setText("//fileserver/saves/My World");
  EXPECT_EQ(w.c("txtmapname").text(), "fileserver_My World");
  path.setText("\\/srv/x");
  EXPECT_EQ(w.c("txtmapname").text(), "srv_x");
  EXPECT_NE(w.selectedLine().find("custom \"\\/srv/x\" name \"srv_x\" "), std::string::npos);
}

TEST_F(WorldBoxes, QuotesLeaveTheCustomPathBeforeAnythingElse) {
  writeFile("w/Q/level.dat", "");
  selectCustom();
  w.c("txtcustompath").setText("\"" + workingFolder() + "/w/Q\"");
  EXPECT_EQ(w.c("txtcustompath").text(), workingFolder() + "/w/Q");
  EXPECT_EQ(w.c("txtmapname").text(), "Q");
  EXPECT_NE(w.selectedLine().find("custom \"" + workingFolder() + "/w/Q\" name \"Q\""), std::string::npos);
}

TEST_F(WorldBoxes, PickingAHistoryEntryActsAsTyping) {
  writeFile("h/Picked/level.dat", "");
  selectCustom();
  auto& path = w.c("txtcustompath");
  path.addItem(workingFolder() + "/h/Picked");
  path.setListIndex(0);
  EXPECT_EQ(w.c("txtmapname").text(), "Picked");
}

TEST_F(WorldBoxes, TheMapNameHoldsNoSeparatorOrQuote) {
  w.c("txtmapname").setText("a/b\\c\"d");
  EXPECT_EQ(w.c("txtmapname").text(), "abcd");
  EXPECT_NE(w.selectedLine().find("name \"abcd\" "), std::string::npos);
}

TEST_F(WorldBoxes, TheOutputFileLosesQuotesAndLeavesTheLineAlone) {
  std::string line = w.selectedLine();
  w.c("txtoutputfile").setText("\"C:\\out\\map\"");
  EXPECT_EQ(w.c("txtoutputfile").text(), "C:\\out\\map");
  EXPECT_EQ(w.selectedLine(), line);
}
