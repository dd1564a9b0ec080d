// Region files saved by the game itself, from a package of the npm registry fetched into the
// build folder once. Skipped when the registry cannot be reached.
#include <gtest/gtest.h>

#include <sstream>

#include "renderer/renderer.h"
#include "real_world_fixtures.h"
#include "tool_test_support.h"

using namespace sgtest;
namespace fs = std::filesystem;

namespace {
fs::path fixtures() { return realWorldFixtures(SG_TEST_BUILD_FOLDER); }
}  // namespace

// Every version of the package, 1.8.9 to 1.21.1: an image in which every chunk the game
// finished generating is drawn, and no chunk is skipped for its format.
TEST(RealWorlds, EveryVersionOfTheGameIsDrawn) {
  fs::path dir = fixtures();
  if (dir.empty()) GTEST_SKIP() << "npm registry not reachable: real-world region files not tested";
  const std::vector<std::string> versions = {"1.8.9", "1.9", "1.11.2", "1.12.2", "1.13.2", "1.14.4",
                                             "1.16", "1.17.1", "1.18.2", "1.19.4", "1.20.6", "1.21.1"};
  for (const auto& version : versions) {
    SCOPED_TRACE(version);
    fs::path from = dir / version;
    ASSERT_TRUE(fs::is_directory(from));
    fs::path world = fs::path("worlds") / version / "region";
    fs::create_directories(world);
    for (auto& e : fs::directory_iterator(from))
      if (e.path().extension() == ".mca") fs::copy_file(e.path(), world / e.path().filename());
    std::ostringstream errors;
    std::string out = version + ".png";
    int status = sgrender::runRenderer({"custom", "worlds/" + version, "name", version, "normal", "north",
                                        "progress", "p.log", "outfile", out, "verbosity", "1"},
                                       errors);
    ASSERT_EQ(status, 0) << errors.str();
    EXPECT_EQ(errors.str().find("skipped"), std::string::npos) << errors.str();
    EXPECT_EQ(errors.str().find("does not know"), std::string::npos) << errors.str();
    auto im = readImage(out);
    long opaque = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) opaque += im.at(x, y).a == 255;
    // 1.17.1 is a void world with a few small builds; the others hold whole landscapes.
    EXPECT_GT(opaque, version == "1.17.1" ? 40 : 16 * 16);
  }
}
