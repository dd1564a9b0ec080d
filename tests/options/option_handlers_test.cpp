#include <gtest/gtest.h>

#include "support/main_window.h"

using sg::test::MainWindow;

TEST(OptionHandlers, ZoomLevelKeepsANumberOfAtLeastOne) {
  MainWindow w;
  auto& z = w.c("zoomlevel");
  struct { const char* typed; const char* shown; } cases[] = {
      {"", "1"}, {"0.5", "1"}, {"3x", "3"}, {"2.5", "2.5"}, {"3.", "3"}, {"abc", "1"}, {"-4", "1"}, {"007", "7"}};
  for (auto& c : cases) {
    z.setText(c.typed);
    EXPECT_EQ(z.text(), c.shown) << "typed " << c.typed;
  }
}

TEST(OptionHandlers, LowRamWriteEnablesCropAndZoom) {
  MainWindow w;
  EXPECT_FALSE(w.c("checkcropwhitespace").enabled());
  w.c("checklowramwrite").setValue(1);
  EXPECT_TRUE(w.c("checkcropwhitespace").enabled());
  EXPECT_TRUE(w.c("zoomlevel").enabled());
  EXPECT_NE(w.selectedLine().find("lowramwrite "), std::string::npos);
  w.c("checklowramwrite").setValue(0);
  EXPECT_FALSE(w.c("zoomlevel").enabled());
}

TEST(OptionHandlers, NetherModeChoosesTheDimension) {
  MainWindow w;
  w.c("checknether").setValue(1);
  EXPECT_EQ(w.c("comboDimension").text(), "Nether");
  EXPECT_NE(w.selectedLine().find("nether "), std::string::npos);
  w.c("checknether").setValue(0);
  EXPECT_EQ(w.c("comboDimension").text(), "Overworld");
  EXPECT_EQ(w.selectedLine().find("nether"), std::string::npos);
}

TEST(OptionHandlers, ChunkChoiceEnablesTheRangeBoxesAndKeepsTheirText) {
  MainWindow w;
  w.c("combolocchunks").setListIndex(2);
  w.c("manrangeminx").setText("-12");
  EXPECT_TRUE(w.c("manrangemaxz").enabled());
  w.c("combolocchunks").setListIndex(1);
  EXPECT_FALSE(w.c("manrangeminx").enabled());
  EXPECT_NE(w.selectedLine().find("rectangle fileminx filemaxx fileminz filemaxz "), std::string::npos);
  w.c("combolocchunks").setListIndex(0);
  w.c("combolocchunks").setListIndex(2);
  EXPECT_EQ(w.c("manrangeminx").text(), "-12");
  EXPECT_NE(w.selectedLine().find("rectangle -12 0 0 0 "), std::string::npos);
}
