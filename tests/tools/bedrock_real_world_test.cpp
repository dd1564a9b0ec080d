// A Bedrock world's store saved by the game itself, from a package of the npm registry fetched
// into the build folder once. Skipped when the registry cannot be reached.
#include <gtest/gtest.h>

#include <sstream>

#include "imaging/png_file.h"
#include "real_world_fixtures.h"
#include "renderer/renderer.h"

using namespace sgtest;
namespace fs = std::filesystem;

// The game's store of a flat world: every chunk drawn, every block known, grass on top.
TEST(BedrockRealWorld, TheGamesOwnStoreIsDrawnInEveryStyle) {
  const fs::path db = bedrockFixture(SG_TEST_BUILD_FOLDER);
  if (db.empty()) GTEST_SKIP() << "npm registry not reachable: the game's Bedrock store not tested";
  fs::create_directories("flat/db");
  for (const auto& e : fs::directory_iterator(db))
    if (e.path().filename() != "LOCK") fs::copy_file(e.path(), fs::path("flat/db") / e.path().filename());
  for (const char* style : {"normal", "heightmapcolor", "lightmap", "oblique", "obliqueangled", "isometric"}) {
    SCOPED_TRACE(style);
    std::ostringstream errors;
    const int status = sgrender::runRenderer({"custom", "flat", "name", "flat", style, "north", "verbosity", "1",
                                              "outfile", "flat.png"},
                                             errors);
    ASSERT_EQ(status, 0) << errors.str();
    EXPECT_EQ(errors.str().find("skipped"), std::string::npos) << errors.str();
    EXPECT_EQ(errors.str().find("does not know"), std::string::npos) << errors.str();
    EXPECT_NE(errors.str().find("57 chunks"), std::string::npos) << errors.str();
  }
  std::ostringstream errors;
  ASSERT_EQ(sgrender::runRenderer({"custom", "flat", "name", "flat", "normal", "north", "outfile", "top.png"}, errors), 0);
  sgimage::RgbaImage top;
  std::string error;
  ASSERT_TRUE(sgimage::readPng("top.png", top, error)) << error;
  const sgimage::Rgba middle = top.at(top.width() / 2, top.height() / 2);
  EXPECT_EQ(middle.a, 255);
  EXPECT_GT(middle.g, middle.r);  // grass
  EXPECT_GT(middle.g, middle.b);
}
