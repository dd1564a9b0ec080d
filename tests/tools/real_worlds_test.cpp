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

TEST(RealWorlds, RegionFilesOfTheGameWithNumericIds) {
  fs::path dir = fixtures();
  if (dir.empty()) GTEST_SKIP() << "npm registry not reachable: real-world region files not tested";
  int rendered = 0;
  for (const char* version : {"1.8.9", "1.9", "1.11.2", "1.12.2"}) {
    fs::path from = dir / version;
    if (!fs::is_directory(from)) continue;
    fs::path world = fs::path("worlds") / version / "region";
    fs::create_directories(world);
    for (auto& e : fs::directory_iterator(from))
      if (e.path().extension() == ".mca") fs::copy_file(e.path(), world / e.path().filename());
    std::ostringstream errors;
    std::string out = std::string(version) + ".png";
    int status = sgrender::runRenderer({"custom", "worlds/" + std::string(version), "name",
                                        version, "normal", "north", "progress", "p.log",
                                        "outfile", out},
                                       errors);
    ASSERT_EQ(status, 0) << version << ": " << errors.str();
    auto im = readImage(out);
    long opaque = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) opaque += im.at(x, y).a == 255;
    EXPECT_GT(opaque, 16 * 16) << version;
    EXPECT_EQ(errors.str().find("skipped"), std::string::npos) << version << ": " << errors.str();
    ++rendered;
  }
  EXPECT_EQ(rendered, 4);
  // A later version stores blocks by name; its chunks are skipped with a clear reason.
  if (fs::is_directory(dir / "1.13.2")) {
    fs::create_directories("new/region");
    for (auto& e : fs::directory_iterator(dir / "1.13.2"))
      fs::copy_file(e.path(), fs::path("new/region") / e.path().filename());
    std::ostringstream errors;
    sgrender::runRenderer({"custom", "new", "outfile", "n.png"}, errors);
    EXPECT_NE(errors.str().find("by name"), std::string::npos) << errors.str();
  }
}
