// The renderer's argument parser on the lines the app writes, split as the job runner and
// the Windows runtime split them.
#include <gtest/gtest.h>

#include "batch/windows_arguments.h"
#include "renderer/render_arguments.h"

using namespace sgrender;

namespace {

std::optional<RenderRequest> parse(const std::string& line, std::string* errorOut = nullptr) {
  std::string error;
  auto r = parseRenderArguments(sgbatch::splitWindowsArguments(line), error);
  if (errorOut) *errorOut = error;
  return r;
}

}  // namespace

TEST(RenderArguments, TheDefaultLineAndTail) {
  auto r = parse("folder \"New World\" name \"\" normal north automirror progress "
                 "renderJob0progress.log outfile renderJob0layer0.png");
  ASSERT_TRUE(r);
  EXPECT_EQ(*r->folder, "New World");
  EXPECT_EQ(r->mapName, "");
  EXPECT_EQ(*r->progressFile, "renderJob0progress.log");
  EXPECT_EQ(*r->outFile, "renderJob0layer0.png");
  EXPECT_TRUE(r->autoMirror);
  auto w = parse("world 1 normal north");
  ASSERT_TRUE(w);
  EXPECT_EQ(*w->folder, "World1");
}

TEST(RenderArguments, EveryWordOfAFullLine) {
  auto r = parse(
      "custom \"/home/me/my worlds/Big & Old\" name \"base 100%\" isometric west onlylayers 3 10 "
      "11 12 notblocks 2 8 9 night checkeachlayer ignorewater cave nether wooloscopy "
      "forcebrightness flip rotate fool_xray fool_cake fool_upsidedown granularity 8 "
      "cropwhitespace zoomlevel 2.5 mirror sautomirror lowramwrite listallblocks makeoffsetfile "
      "spacedrectangle 5 -5 3 -3 progress renderJob7progress.log environment "
      "\"D:\\games\\saves\\\\\" verbosity 3 beta outfile \"final name.png\"");
  ASSERT_TRUE(r);
  EXPECT_EQ(*r->custom, "/home/me/my worlds/Big & Old");
  EXPECT_EQ(r->mapName, "base 100%");
  EXPECT_EQ(r->orientation, Orientation::West);
  EXPECT_EQ(*r->onlyLayers, (std::vector<int>{10, 11, 12}));
  EXPECT_EQ(*r->notBlocks, (std::vector<int>{8, 9}));
  EXPECT_EQ(r->time, TimeOfDay::Night);
  EXPECT_TRUE(r->ignoreWater && r->cave && r->nether && r->makeOffsetFile && r->beta);
  ASSERT_TRUE(r->rectangle);
  // The range is kept in order whichever way it was typed.
  EXPECT_EQ(r->rectangle->minX, -5);
  EXPECT_EQ(r->rectangle->maxX, 5);
  EXPECT_EQ(r->rectangle->minZ, -3);
  EXPECT_TRUE(r->rectangle->keepWhitespace);
  EXPECT_EQ(*r->environment, "D:\\games\\saves\\");
  EXPECT_EQ(r->verbosity, 3);
  EXPECT_EQ(*r->outFile, "final name.png");
  EXPECT_EQ(r->style, sgrender::Style::Isometric);
  EXPECT_TRUE(r->wooloscopy && r->forceBrightness && r->flip && r->rotate && r->xray && r->cake && r->upsideDown);
  EXPECT_TRUE(r->cropWhitespace && r->mirror && r->lowRamWrite && r->listAllBlocks);
  EXPECT_FALSE(r->autoMirror);
  EXPECT_EQ(r->granularity, 8);
  EXPECT_EQ(r->zoom, 2.5);
}

TEST(RenderArguments, FiltersWithEmptyOrDoubledBlanks) {
  // An empty filter text writes the count 0 and two blanks.
  auto empty = parse("folder \"w\" name \"\" normal north onlyblocks 0  automirror ");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->onlyBlocks->empty());
  // "10  11" counts three pieces, of which the command line keeps two.
  auto doubled = parse("folder \"w\" name \"\" normal north onlylayers 3 10  11 twilight automirror");
  ASSERT_TRUE(doubled);
  EXPECT_EQ(*doubled->onlyLayers, (std::vector<int>{10, 11}));
  EXPECT_EQ(doubled->time, TimeOfDay::Twilight);
  EXPECT_EQ(doubled->warnings.size(), 1u);
  // Layers are Y levels as they stand, below 0 and above 255 too; ids stop at 4095.
  auto levels = parse("folder \"w\" notlayers 3 300 -10 5000 onlyblocks 2 4096 56");
  ASSERT_TRUE(levels);
  EXPECT_EQ(*levels->notLayers, (std::vector<int>{300, -10}));
  EXPECT_EQ(*levels->onlyBlocks, (std::vector<int>{56}));
}

TEST(RenderArguments, SaveFolderEndingInASlashKeepsTheRestOfTheLine) {
  // The app writes the save folder followed by a backslash and a quote; after a slash that
  // pair reads as an escaped quote.
  auto r = parse("folder \"w\" name \"n\" normal north progress p.log environment "
                 "\"/home/me/saves/\\\" verbosity 2 beta outfile renderJob0layer0.png");
  ASSERT_TRUE(r);
  EXPECT_EQ(*r->environment, "/home/me/saves/");
  EXPECT_EQ(r->verbosity, 2);
  EXPECT_TRUE(r->beta);
  EXPECT_EQ(*r->outFile, "renderJob0layer0.png");
}

TEST(RenderArguments, StylesOrientationsAndDimensions) {
  for (std::string style : {"normal", "heightmapcolor", "heightmapgray", "lightmap", "oblique", "obliqueangled",
                            "isometric"}) {
    auto r = parse("folder \"w\" " + style);
    ASSERT_TRUE(r) << style;
    EXPECT_EQ(std::string(sgrender::styleWord(r->style)), style);
  }
  EXPECT_EQ(parse("folder w east")->orientation, Orientation::East);
  EXPECT_EQ(parse("folder w south")->orientation, Orientation::South);
  EXPECT_EQ(*parse("folder w dimension DIM3")->dimension, "DIM3");
  EXPECT_TRUE(parse("folder w rectangle 0 0 0 0 alpha")->alpha);
  EXPECT_EQ(parse("folder w threads 3")->threads, 3);
  EXPECT_FALSE(parse("folder w threads 0"));
}

TEST(RenderArguments, BadLinesNameTheProblem) {
  std::string e;
  EXPECT_FALSE(parse("name \"x\" normal", &e));
  EXPECT_NE(e.find("no world"), std::string::npos);
  EXPECT_FALSE(parse("folder w rectangle fileminx filemaxx fileminz filemaxz", &e));
  EXPECT_NE(e.find("fileminx"), std::string::npos);
  EXPECT_FALSE(parse("folder w rectangle 1 2 3", &e));
  EXPECT_FALSE(parse("folder w spacedrectangle 1 2 x 4", &e));
  EXPECT_FALSE(parse("folder w sparkle", &e));
  EXPECT_NE(e.find("'sparkle'"), std::string::npos);
  EXPECT_FALSE(parse("folder w verbosity 9", &e));
  EXPECT_FALSE(parse("folder w onlyblocks x", &e));
  EXPECT_FALSE(parse("folder w zoomlevel big", &e));
  EXPECT_FALSE(parse("folder w dimension ../../etc", &e));
  EXPECT_FALSE(parse("folder w outfile", &e));
  EXPECT_NE(e.find("missing value after 'outfile'"), std::string::npos);
  EXPECT_FALSE(parse("folder", &e));
}
