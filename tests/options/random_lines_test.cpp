// Random lines and random control states: loading never fails, and one load followed by one
// write always reaches a line that loads back to itself.
#include <gtest/gtest.h>

#include <random>

#include "options/level_option_line.h"
#include "support/main_window.h"

using sg::test::MainWindow;

namespace {
const char* const kWords[] = {
    "world", "folder", "custom", "name", "normal", "heightmapcolor", "heightmapgray", "lightmap",
    "oblique", "obliqueangled", "isometric", "north", "east", "south", "west", "onlylayers",
    "notlayers", "onlyblocks", "notblocks", "twilight", "night", "checkeachlayer", "ignorewater",
    "cave", "nether", "dimension", "DIM3", "wooloscopy", "forcebrightness", "flip", "rotate",
    "fool_xray", "fool_cake", "fool_upsidedown", "granularity", "cropwhitespace", "zoomlevel",
    "mirror", "sautomirror", "automirror", "lowramwrite", "zoomablemap", "listallblocks", "makeoffsetfile",
    "rectangle", "spacedrectangle", "fileminx", "0", "1", "3", "8", "-2", "2.5", "1e9", "x", "",
    "\"", "\"World1\"", "\"a b\"", "\"\"", "99999999999999999999"};

std::string randomLine(std::mt19937& rng) {
  std::uniform_int_distribution<size_t> pick(0, std::size(kWords) - 1);
  std::uniform_int_distribution<int> len(0, 25);
  std::string line;
  int n = len(rng);
  for (int i = 0; i < n; ++i) {
    line += kWords[pick(rng)];
    line += (rng() % 7 == 0) ? "  " : " ";
  }
  return line;
}
}  // namespace

TEST(RandomLines, OneLoadAndOneWriteReachAFixedPoint) {
  MainWindow w;
  w.setWorlds({"World1", "a b"});
  std::mt19937 rng(20261208);
  for (int round = 0; round < 400; ++round) {
    std::string line = randomLine(rng);
    w.loadLine(line);
    auto o = w.options();
    sg::options::writeleveloptions(o);
    std::string normal = w.selectedLine();
    w.loadLine(normal);
    sg::options::writeleveloptions(o);
    ASSERT_EQ(w.selectedLine(), normal) << "from: " << line;
  }
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(RandomLines, RandomControlStatesWriteLinesThatLoadBack) {
  MainWindow w;
  w.setWorlds({"World1"});
  std::mt19937 rng(7);
  auto o = w.options();
  for (int round = 0; round < 200; ++round) {
    for (auto* c : {&o.combostyle, &o.comboorientation, &o.layerfiltercombo, &o.blockfiltercombo,
                    &o.combotime, &o.combogranularity, &o.combolocchunks, &o.comboDimension,
                    &o.comboworldfolders})
      c->setListIndex(static_cast<int>(rng() % c->listCount()));
    for (auto* c : {&o.checkeachlayer, &o.checkwater, &o.checkcave, &o.checkflip, &o.checkxray,
                    &o.checkmapmirror, &o.checkmapautomirror, &o.checklowramwrite,
                    &o.checklocwhitespace, &o.checklocoffset})
      c->setValue(static_cast<int>(rng() % 3));
    w.c("checkzoomablemap").setValue(static_cast<int>(rng() % 2));
    o.layerfiltertext.setText(rng() % 2 ? "1  2 " : " 5");
    o.manrangeminx.setText(rng() % 2 ? "" : "-3");
    o.zoomlevel.setText(rng() % 2 ? "2.5" : "0");
    o.txtmapname.setText(rng() % 2 ? "a b" : "");
    o.txtcustompath.setText(rng() % 2 ? "C:/x y" : "");
    std::string line = w.selectedLine();
    w.loadLine(line);
    sg::options::writeleveloptions(o);
    std::string normal = w.selectedLine();
    w.loadLine(normal);
    sg::options::writeleveloptions(o);
    ASSERT_EQ(w.selectedLine(), normal) << "from: " << line;
  }
}

TEST(RandomLines, TheZoomableMapIsKeptWithItsRowAndOldRowsLoadWithout) {
  MainWindow w;
  w.setWorlds({"World1"});
  w.c("checkzoomablemap").userClick();
  const std::string ticked = w.selectedLine();
  EXPECT_NE(ticked.find("automirror zoomablemap "), std::string::npos) << ticked;  // after the image words
  // A row written before the box: loads with the box clear, and writes back as it was.
  const std::string old = "world 0 name \"a\" normal north automirror lowramwrite ";
  w.loadLine(old);
  EXPECT_EQ(w.c("checkzoomablemap").value(), 0);
  auto o = w.options();
  sg::options::writeleveloptions(o);
  EXPECT_EQ(w.selectedLine().find("zoomablemap"), std::string::npos) << w.selectedLine();
  // Its row, loaded again, ticks the box; the word is written once, after lowramwrite.
  w.loadLine("world 0 name \"a\" normal north automirror lowramwrite zoomablemap ");
  EXPECT_EQ(w.c("checkzoomablemap").value(), 1);
  sg::options::writeleveloptions(o);
  EXPECT_NE(w.selectedLine().find("lowramwrite zoomablemap "), std::string::npos) << w.selectedLine();
}
