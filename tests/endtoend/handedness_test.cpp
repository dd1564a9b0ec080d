// The final image of a job shows the world as seen from the chosen side, never its mirror
// image: a stack of every style in every orientation is rendered through the main window, the
// job runner, the renderer and the post processor, once with "Suppress auto mirroring" and
// once without, and an L of coloured wool must keep the handedness the world gives it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <thread>

#include "driver_session.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/world_files.h"

using namespace sgtest;
namespace fs = std::filesystem;
using sgimage::Rgba;

namespace handedness {

const fs::path kSaves = fs::path("appdata") / ".minecraft" / "saves";
const char* const kStyles[] = {"normal", "heightmapcolor", "heightmapgray", "lightmap",
                               "oblique", "obliqueangled", "isometric"};
const char* const kSides[] = {"north", "east", "south", "west"};

// A stone floor with an L on it at level 1: a lime corner, a red arm three blocks east and a
// blue arm two blocks south. No turn of it is its mirror image.
void writeMarkerWorld() {
  using namespace sgworld;
  ChunkColumn c(0, 0, -64, 384);
  const uint16_t stone = c.name("stone"), lime = c.name("lime_wool"), red = c.name("red_wool"),
                 blue = c.name("blue_wool");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) c.set(x, 0, z, stone);
  c.set(4, 1, 4, lime);
  for (int x = 5; x <= 7; ++x) c.set(x, 1, 4, red);
  for (int z = 5; z <= 6; ++z) c.set(4, 1, z, blue);
  const fs::path world = kSaves / "Marker";
  WorldFiles files(world, Layout::BlockStates, Compression::Zlib, false);
  files.add(0, 0, encodeChunk(c, Layout::BlockStates));
  ASSERT_TRUE(files.finish());
  ASSERT_TRUE(writeLevelFile(world, "Marker", Layout::BlockStates));
}

bool hueOf(Rgba p, Rgba block) {
  double s1 = p.r + p.g + p.b + 1, s2 = block.r + block.g + block.b + 1;
  return p.a == 255 && std::abs(p.r / s1 - block.r / s2) < 0.04 && std::abs(p.g / s1 - block.g / s2) < 0.04 &&
         std::abs(p.b / s1 - block.b / s2) < 0.04;
}

// The centre of the pixels of a wool's hue; false when there are none.
bool centre(const sgimage::RgbaImage& im, Rgba wool, double& cx, double& cy) {
  long n = 0;
  cx = cy = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (hueOf(im.at(x, y), wool)) cx += x, cy += y, ++n;
  if (n == 0) return false;
  cx /= n, cy /= n;
  return true;
}

// Seen as the world is (rows going down), the east arm turns clockwise into the south arm in
// every view; in a mirror image it turns the other way.
void expectTrueHandedness(const sgimage::RgbaImage& im, const std::string& what) {
  const Rgba lime{112, 185, 26, 255}, red{161, 39, 35, 255}, blue{53, 57, 157, 255};
  double cx, cy, ex, ey, sx, sy;
  ASSERT_TRUE(centre(im, lime, cx, cy) && centre(im, red, ex, ey) && centre(im, blue, sx, sy)) << what;
  const double turn = (ex - cx) * (sy - cy) - (ey - cy) * (sx - cx);
  EXPECT_GT(turn, 0) << what << ": a mirror image of the world";
}

// A map from above turned to another side is the north map turned, never turned and mirrored.
void expectTurnOf(const sgimage::RgbaImage& north, const sgimage::RgbaImage& im, int side, const std::string& what) {
  ASSERT_EQ(im.width(), 16) << what;
  ASSERT_EQ(north.width(), 16) << what;
  long wrong = 0;
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      const int u[] = {x, z, 15 - x, 15 - z}, v[] = {z, 15 - x, 15 - z, x};
      wrong += north.at(x, z) != im.at(u[side], v[side]);
    }
  EXPECT_EQ(wrong, 0) << what;
}

class Handedness : public ::testing::Test {
 protected:
  void SetUp() override {
    installProgram(SG_RENDERER, "strandvale_g_renderer.exe");
    installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
    installProgram(SG_RUNNER, "strandvale-g-runner");
    writeMarkerWorld();
    std::string here = fs::current_path().string();
    driver_ = std::make_unique<DriverSession>(
        SG_SCRIPT_DRIVER,
        std::map<std::string, std::optional<std::string>>{{"APPDATA", here + "/appdata"},
                                                          {"LOCALAPPDATA", here + "/localappdata"},
                                                          {"HOME", here + "/home"},
                                                          {"XDG_DATA_HOME", std::nullopt},
                                                          {"SG_JOB_RUNNER", std::nullopt}},
        "driver.err");
    ASSERT_EQ(ask({"launcher real", "start"}, "Form1.Visible"), "1");
  }

  std::string ask(const std::vector<std::string>& commands, const std::string& reference) {
    auto v = driver_->ask(commands, reference);
    if (!v) ADD_FAILURE() << "no answer for " << reference << "\n" << slurp("driver.err");
    return v.value_or("<no answer>");
  }

  // Presses Render and waits until the job has deleted its log; the job's batch file.
  std::string renderJob() {
    // A finished job frees its number, so every job here is number 0.
    const std::string number = ask({"answer Yes", "click Form1.Command5"}, "Form1.renderjob.Text");
    const std::string log = "renderJob" + number + ".log";
    auto deadline = DriverSession::Clock::now() + std::chrono::seconds(120);
    while (exists(log) && DriverSession::Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(exists(log)) << "the job did not end:\n" << slurp("renderJob" + number + ".bat");
    // The log window's next tick sees the end and hands back to the main window.
    EXPECT_EQ(ask({"tick Form4.Timer1"}, "Form1.Visible"), "1") << listing();
    return slurp("renderJob" + number + ".bat");
  }

  std::string listing() {
    std::string s = slurp("driver.err") + "working folder:";
    for (auto& e : fs::directory_iterator(".")) s += " '" + e.path().filename().string() + "'";
    return s;
  }

  void expectEveryImageTrue(const std::string& setting) {
    for (int style = 0; style < 7; ++style) {
      const std::string base = std::string("L_") + kStyles[style] + "_";
      const auto north = readImage(base + "north.png");
      for (int side = 0; side < 4; ++side) {
        const std::string name = base + kSides[side] + ".png", what = name + " (" + setting + ")";
        const auto im = readImage(name);
        ASSERT_GT(im.width(), 0) << what << " was not written";
        if (style >= 1 && style <= 3) expectTurnOf(north, im, side, what);
        else expectTrueHandedness(im, what);
      }
    }
  }

  std::unique_ptr<DriverSession> driver_;
};

}  // namespace handedness
using handedness::Handedness;

TEST_F(Handedness, EveryStyleAndOrientationShowsTheWorldAsSeen) {
  // One row a style and orientation, each post-processed on its own.
  std::vector<std::string> setup = {"click Form1.Command6", "click Form1.toggleI", "click Form1.checksurpressstacking",
                                    "type Form1.txtmapname L"};
  for (int i = 1; i < 28; ++i) setup.push_back("click Form1.Command13");
  for (int i = 0; i < 28; ++i) {
    setup.push_back("pick Form1.stacklist " + std::to_string(i));
    setup.push_back("pick Form1.combostyle " + std::to_string(i / 4));
    setup.push_back("pick Form1.comboorientation " + std::to_string(i % 4));
  }
  ASSERT_EQ(ask(setup, "Form1.stacklist.ListCount"), "28");
  const std::string batch = renderJob();
  expectEveryImageTrue("auto mirroring");

  // The same rows with "Suppress auto mirroring": the renderer leaves its own east and west
  // views of the angled styles mirrored, and the job's post-processing step turns them back.
  std::vector<std::string> suppress;
  for (int i = 0; i < 28; ++i) {
    suppress.push_back("pick Form1.stacklist " + std::to_string(i));
    suppress.push_back("click Form1.checkmapautomirror");
  }
  ASSERT_EQ(ask(suppress, "Form1.checkmapautomirror.Value"), "1");
  const std::string suppressed = renderJob();
  EXPECT_NE(suppressed.find("isometric east sautomirror"), std::string::npos);
  EXPECT_NE(suppressed.find("mirror horizontally"), std::string::npos);
  EXPECT_EQ(batch.find("mirror horizontally"), std::string::npos);
  expectEveryImageTrue("auto mirroring suppressed");

  ASSERT_TRUE(driver_->send({"close Form1"}));
  EXPECT_TRUE(driver_->awaitLine("end"));
  EXPECT_EQ(driver_->finish(), 0) << slurp("driver.err");
}
