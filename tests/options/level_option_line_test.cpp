#include <gtest/gtest.h>

#include "options/level_option_line.h"
#include "support/main_window.h"

using sg::test::MainWindow;
using namespace sg;

namespace {
struct LevelOptionLine : ::testing::Test {
  MainWindow w;
  LevelOptionLine() {
    // These worlds exist only in the list; derived map names would fill every line, so the
    // folder name is not used as map name here.
    w.dialog("worldnameempty").setValue(1);
    w.setWorlds({"New World", "World1", "My World"});
  }
  void write() { auto o = w.options(); options::writeleveloptions(o); }
};
}  // namespace

TEST_F(LevelOptionLine, DefaultControlsWriteTheShortestLine) {
  write();
  EXPECT_EQ(w.selectedLine(), "folder \"New World\" name \"\" normal north automirror ");
}

TEST_F(LevelOptionLine, TheBuiltInLineNormalisesToAFolderElement) {
  w.loadLine("world 1 normal north");
  write();
  EXPECT_EQ(w.selectedLine(), "folder \"World1\" name \"\" normal north automirror ");
  w.setWorlds({"Other"});
  w.loadLine("world 1 normal north");
  EXPECT_EQ(w.c("comboworldfolders").text(), "Other");  // not listed: the first entry stays
  EXPECT_FALSE(w.c("txtcustompath").enabled());
}

TEST_F(LevelOptionLine, EveryElementSurvivesARoundTrip) {
  const std::string line =
      "custom \"C:/my worlds/A B\" name \"Map 1\" isometric west onlylayers 3 10 11 12 "
      "notblocks 2 1 14 night checkeachlayer ignorewater cave dimension DIM3 wooloscopy "
      "forcebrightness flip rotate fool_xray fool_cake fool_upsidedown granularity 8 "
      "cropwhitespace zoomlevel 2.5 mirror sautomirror lowramwrite listallblocks makeoffsetfile "
      "spacedrectangle 5 -5 3 -3 ";
  w.loadLine(line);
  EXPECT_EQ(w.selectedLine(), line);
  EXPECT_EQ(w.c("txtcustompath").text(), "C:/my worlds/A B");
  EXPECT_TRUE(w.c("txtcustompath").enabled());
  EXPECT_EQ(w.c("layerfiltertext").text(), "10 11 12 ");
  EXPECT_EQ(w.c("combogranularity").text(), "8 Coarse");
  EXPECT_EQ(w.c("combolocchunks").listIndex(), 2);
  EXPECT_EQ(w.c("manrangemaxz").text(), "-3");
  EXPECT_TRUE(w.c("manrangeminx").enabled());
  EXPECT_EQ(w.c("checklocwhitespace").value(), 1);
  write();
  EXPECT_EQ(w.selectedLine(), line);
}

TEST_F(LevelOptionLine, EachStyleOrientationTimeAndDimensionWritesItsWord) {
  const char* styles[] = {"normal", "heightmapcolor", "heightmapgray", "lightmap", "oblique",
                          "obliqueangled", "isometric"};
  for (int s = 0; s < 7; ++s) {
    std::string line = "folder \"World1\" name \"n\" " + std::string(styles[s]) + " east twilight nether automirror ";
    w.loadLine(line);
    EXPECT_EQ(w.c("combostyle").listIndex(), s);
    EXPECT_EQ(w.selectedLine(), line);
  }
  EXPECT_EQ(w.c("checknether").value(), 1);
  EXPECT_EQ(w.c("comboDimension").listIndex(), 0);
  w.loadLine("dimension DIM7 ");
  EXPECT_EQ(w.c("comboDimension").listIndex(), 1);
}

TEST_F(LevelOptionLine, QuotedValuesAndUnterminatedQuotes) {
  w.loadLine("name \"\" ");
  EXPECT_EQ(w.c("txtmapname").text(), "");
  w.loadLine("name \"x\" ");
  EXPECT_EQ(w.c("txtmapname").text(), "x");
  w.loadLine("folder \"My World\" name \"rest of the line");
  EXPECT_EQ(w.c("comboworldfolders").text(), "My World");
  EXPECT_EQ(w.c("txtmapname").text(), "rest of the line");
  EXPECT_EQ(options::tokenizeLevelOptionLine("a  b \"q r\" c"),
            (std::vector<std::string>{"a", "", "b", "\"q r\"", "c"}));
  EXPECT_TRUE(options::tokenizeLevelOptionLine("").empty());
  EXPECT_EQ(options::tokenizeLevelOptionLine("\"\""), (std::vector<std::string>{"\"\""}));
}

TEST_F(LevelOptionLine, FiltersCountTheirFieldsAndReadOnlyWhatIsThere) {
  w.c("layerfiltercombo").setListIndex(1);
  EXPECT_EQ(w.selectedLine(), "folder \"New World\" name \"\" normal north onlylayers 0  automirror ");
  w.loadLine(w.selectedLine());
  EXPECT_EQ(w.c("layerfiltertext").text(), "");
  w.loadLine("onlyblocks 999999999 1 2 ");
  EXPECT_EQ(w.c("blockfiltertext").text(), "1 2 ");
  w.loadLine("onlyblocks 1 cave ");  // a filter entry is not read as an option as well
  EXPECT_EQ(w.c("blockfiltertext").text(), "cave ");
  EXPECT_EQ(w.c("checkcave").value(), 0);
  w.loadLine("onlyblocks abc 1 2 ");
  EXPECT_EQ(w.c("blockfiltertext").text(), "");
  EXPECT_EQ(w.c("blockfiltercombo").listIndex(), 1);
  w.c("blockfiltertext").setText("1 \"2");
  EXPECT_EQ(w.selectedLine(), "folder \"New World\" name \"\" normal north onlyblocks 2 1 2 automirror ");
}

TEST_F(LevelOptionLine, ZoomAndGranularityAndRanges) {
  w.loadLine("zoomlevel 1 ");
  write();
  EXPECT_EQ(w.selectedLine().find("zoomlevel"), std::string::npos);
  w.loadLine("zoomlevel 02 ");
  EXPECT_EQ(w.c("zoomlevel").text(), "2");
  EXPECT_NE(w.selectedLine().find("zoomlevel 2 "), std::string::npos);
  w.loadLine("granularity 9 ");
  EXPECT_EQ(w.c("combogranularity").listIndex(), 0);
  w.loadLine("granularity -1 granularity x ");
  EXPECT_EQ(w.c("combogranularity").listIndex(), 0);
  w.loadLine("rectangle fileminx filemaxx fileminz filemaxz ");
  EXPECT_EQ(w.c("combolocchunks").listIndex(), 1);
  EXPECT_EQ(w.c("manrangeminx").text(), "0");
  EXPECT_FALSE(w.c("manrangeminx").enabled());
  w.loadLine("rectangle 4 ");  // fewer values than expected
  EXPECT_EQ(w.c("combolocchunks").listIndex(), 2);
  EXPECT_EQ(w.c("manrangeminx").text(), "4");
  EXPECT_EQ(w.c("manrangemaxz").text(), "0");
}

TEST_F(LevelOptionLine, RangeBoxesThatWouldShiftTheLineAreWrittenAsNumbers) {
  w.c("combolocchunks").setListIndex(2);
  w.c("manrangeminx").setText("");
  w.c("manrangemaxx").setText(" 7 ");
  w.c("manrangeminz").setText("05");
  w.c("manrangemaxz").setText("\"3");
  EXPECT_NE(w.selectedLine().find("rectangle 0 7 05 0 "), std::string::npos);
  std::string line = w.selectedLine();
  w.loadLine(line);
  EXPECT_EQ(w.c("manrangemaxx").text(), "7");
  EXPECT_EQ(w.c("manrangeminz").text(), "5");
  write();
  w.loadLine(w.selectedLine());
  EXPECT_EQ(w.c("manrangemaxx").text(), "7");
}

TEST_F(LevelOptionLine, UnknownWordsAreSkippedAndTheKnownOnesApply) {
  w.loadLine("bogus cave 12 \"q\" automirror rotate ");
  EXPECT_EQ(w.c("checkcave").value(), 1);
  EXPECT_EQ(w.c("checkrotate").value(), 1);
  EXPECT_EQ(w.selectedLine(), "folder \"New World\" name \"\" normal north cave rotate automirror ");
}

TEST_F(LevelOptionLine, ResetSetsEveryLevelOptionAndLeavesRequestOptions) {
  w.loadLine("folder \"My World\" name \"n\" oblique cave lowramwrite zoomlevel 3 night ");
  w.c("checksurpressstacking").setValue(1);
  w.c("combobackground").setListIndex(3);
  auto o = w.options();
  options::resetleveloptions(o, w.svc.dialogs);
  EXPECT_EQ(w.c("comboworldfolders").listIndex(), 0);
  EXPECT_EQ(w.c("txtmapname").text(), "");
  EXPECT_EQ(w.c("zoomlevel").text(), "1");
  EXPECT_EQ(w.c("combotime").listIndex(), 0);
  EXPECT_EQ(w.c("comboDimension").listIndex(), 1);
  EXPECT_EQ(w.c("checksurpressstacking").value(), 1);
  EXPECT_EQ(w.c("combobackground").listIndex(), 3);
  EXPECT_FALSE(o.locked());
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST_F(LevelOptionLine, AResetThatFailsSaysSoAndKeepsWhatWasReset) {
  w.c("txtmapname").setText("kept?");
  w.c("checkcave").setValue(1);
  auto o = w.options();
  o.comboworldfolders.clear();  // an empty world list rejects index 0
  options::resetleveloptions(o, w.svc.dialogs);
  ASSERT_EQ(w.svc.dialogs.messages().size(), 1u);
  EXPECT_EQ(w.svc.dialogs.messages()[0].text, "Warning: Could not reset settings");
  EXPECT_EQ(w.svc.dialogs.messages()[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(w.c("checkcave").value(), 1);  // later steps were skipped
}

TEST_F(LevelOptionLine, TheStackLockStopsOnlySelectionReloadAndWorldRewrite) {
  auto o = w.options();
  o.stacklist.addItem("folder \"My World\" name \"second\" cave ");
  o.lock();
  o.stacklist.setListIndex(1);
  EXPECT_EQ(w.c("txtmapname").text(), "");  // no reload while locked
  o.stacklist.setListIndex(0);
  o.lock();
  std::string before = w.selectedLine();
  o.comboworldfolders.setListIndex(2);
  EXPECT_EQ(w.selectedLine(), before);  // the world click does not rewrite while locked
  EXPECT_TRUE(o.locked());
  o.checkcave.setValue(1);              // other option handlers still write, and unlock
  EXPECT_NE(w.selectedLine().find("folder \"My World\""), std::string::npos);
  EXPECT_FALSE(o.locked());
  o.stacklist.setListIndex(1);
  EXPECT_EQ(w.c("txtmapname").text(), "second");
}

TEST_F(LevelOptionLine, ResetToDefaultGivesTheDefaultInNormalForm) {
  w.c("checkcave").setValue(1);
  w.c("defaultset").setText("world 1 heightmapgray");
  w.form1->Command9_Click();
  EXPECT_EQ(w.selectedLine(), "folder \"World1\" name \"\" heightmapgray north automirror ");
}

// A row with eight thousand block ids loads with every id in the box and writes back as it was.
TEST_F(LevelOptionLine, LongFilterListsLoadWhole) {
  std::string ids;
  for (int i = 0; i < 8000; ++i) ids += std::to_string(i % 4096) + " ";
  const std::string line = "folder \"My World\" name \"\" normal north onlyblocks 8000 " + ids + "automirror ";
  w.loadLine(line);
  EXPECT_EQ(w.c("blockfiltertext").text(), ids);
  EXPECT_EQ(w.c("blockfiltercombo").listIndex(), 1);
  write();
  EXPECT_EQ(w.selectedLine(), line);
}
