// A row read into a plain entry by the window's own rules: what each handler does to the value
// (derived names, the zoom's number, the nether's dimension, enabled boxes) and when the row is
// rewritten, as selecting it in the window would.
#include <gtest/gtest.h>

#include "options/entry_edit.h"
#include "options/level_option_line.h"

using sg::options::EntryEdit;
using sg::options::EntryEnabling;
using sg::options::RenderEntry;
using sg::options::WorldChoices;

namespace {

struct Reading : ::testing::Test {
  WorldChoices worlds{.items = {"World1", "World2", "Custom"},
                      .granularities = 9,
                      .folderName = [](const std::string& f) { return "derived-" + f; },
                      .pathName = [](const std::string& p) { return "path-" + p; }};
  RenderEntry shown;  // the window at its reset values, World1 selected
  Reading() { shown.folder = "World1"; }
  EntryEdit read(const std::string& row, bool locked = false) {
    EntryEdit edit(shown, EntryEnabling{}, locked, worlds);
    edit.select(row);
    return edit;
  }
};

}  // namespace

TEST_F(Reading, ARowThatChangesNothingKeepsItsTextAndOneThatDoesIsWrittenAnew) {
  EntryEdit same = read("world 1 normal north");
  EXPECT_FALSE(same.rewritten);
  EXPECT_EQ(same.row, "world 1 normal north");
  EXPECT_EQ(same.entry, shown);
  // The same world, read after a row that showed another: the reset rewrites the row.
  shown.style = 6;
  EntryEdit after = read("world 1 normal north");
  EXPECT_TRUE(after.rewritten);
  EXPECT_EQ(after.row, "folder \"World1\" name \"\" normal north automirror ");
}

TEST_F(Reading, AWorldWithoutANameTakesTheDerivedOneAndAStoredNameWins) {
  EXPECT_EQ(read("folder \"World2\" normal").entry.name, "derived-World2");
  EXPECT_EQ(read("folder \"World2\" name \"m\" normal").entry.name, "m");
  // A name before the world is replaced by the world's, as the window's handlers do it.
  EXPECT_EQ(read("name \"m\" folder \"World2\"").entry.name, "derived-World2");
  // A world the list does not have leaves the first selected, and the custom path box off.
  EntryEdit unknown = read("folder \"World9\" name \"x\"");
  EXPECT_EQ(unknown.entry.world, 0);
  EXPECT_FALSE(unknown.enabling.customPath);
}

TEST_F(Reading, HandlersShapeTheValuesAsTheyShapeTheBoxes) {
  EXPECT_EQ(read("name \"a/b\\c\" normal").entry.name, "abc");
  EXPECT_EQ(read("zoomlevel 0").entry.zoom, "1");
  EXPECT_EQ(read("zoomlevel 2.50").entry.zoom, "2.5");
  EXPECT_EQ(read("zoomlevel x").entry.zoom, "1");
  EntryEdit nether = read("nether");
  EXPECT_EQ(nether.entry.nether, 1);
  EXPECT_EQ(nether.entry.dimension, 0);
  EXPECT_EQ(read("nether dimension DIM3").entry.dimension, 2);
  EXPECT_EQ(read("dimension DIM7").entry.dimension, 1);
  EXPECT_EQ(read("granularity 8").entry.granularity, 8);
  EXPECT_EQ(read("granularity 9").entry.granularity, 0);  // not an item of the list
  EntryEdit lowRam = read("lowramwrite spacedrectangle 5 -5 3 x");
  EXPECT_TRUE(lowRam.enabling.lowRam);
  EXPECT_TRUE(lowRam.enabling.range);
  EXPECT_EQ(lowRam.entry.spaced, 1);
  EXPECT_EQ(lowRam.entry.maxZ, "0");
  EntryEdit filters = read("onlylayers 2 10 11 notblocks 1 4");
  EXPECT_EQ(filters.entry.layers, "10 11 ");
  EXPECT_EQ(filters.entry.blockFilter, 2);
  EXPECT_EQ(filters.entry.blocks, "4 ");
}

TEST_F(Reading, ACustomPathDerivesTheNameUnlessItStillEndsInASeparator) {
  EntryEdit path = read("custom \"D:\\worlds\\Home\"");
  EXPECT_TRUE(path.entry.custom);
  EXPECT_TRUE(path.enabling.customPath);
  EXPECT_EQ(path.entry.name, "path-D:worldsHome");  // the name box keeps no separators, derived or typed
  EXPECT_EQ(path.row, sg::options::lineOf(path.entry));
  // A path still being typed writes no row of its own: the row holds what came before it.
  EntryEdit typing = read("custom \"D:\\worlds\\\"");
  EXPECT_EQ(typing.entry.customPath, "D:\\worlds\\");
  EXPECT_EQ(typing.row.rfind("custom \"\" name \"\"", 0), 0u) << typing.row;
}

TEST_F(Reading, ALockedStackLoadsNothing) {
  EntryEdit locked = read("isometric west", true);
  EXPECT_FALSE(locked.rewritten);
  EXPECT_EQ(locked.entry, shown);
  EXPECT_EQ(locked.row, "isometric west");
}
