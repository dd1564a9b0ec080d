// What a real job made, as the player sees it when it ends: the log window lists the final
// image, shows its preview and opens it, its folder and its map; the main window keeps the last
// job's line. A job whose render failed says so and shows no picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "driver_here.h"
#include "tool_test_support.h"

using namespace sgtest;
namespace fs = std::filesystem;

namespace {

bool waitForJobEnd(const char* log, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (exists(log) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return !exists(log);
}

}  // namespace

TEST(JobResult, ARealJobsImagePreviewAndMapAreShownAndOpened) {
  installProgram(SG_RENDERER, "strandvale_g_renderer.exe");
  installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
  installProgram(SG_RUNNER, "strandvale-g-runner");
  ASSERT_EQ(std::system((std::string(SG_DEMO_WORLD) + " appdata/.minecraft/saves/Isle --chunks 8 8 >/dev/null 2>&1").c_str()), 0);
  DriverHere driver({{"SG_RENDER_CACHE", (fs::current_path() / "no-cache").string()}});
  ASSERT_EQ(driver.ask({"launcher real", "start"}, "Form1.Visible"), "1");
  ASSERT_EQ(driver.ask({"type Form1.txtmapname Isle", "click Form1.Command6", "click Form1.toggleI",
                        "click Form1.checkzoomablemap", "click Form1.Command5", "click Form4.checkdontclose"},
                       "Form1.renderjob.Text"),
            "0");
  ASSERT_TRUE(waitForJobEnd("renderJob0.log", 120)) << slurp("renderJob0.bat");
  EXPECT_EQ(driver.ask({"tick Form4.Timer1"}, "Form4.lbltask.Caption"), "Task 2 of 2 completed at 12:00:00");
  EXPECT_EQ(driver.ask({}, "Form4.outputlist.List(0)"), "Isle_normal_north.png and map");
  EXPECT_EQ(driver.ask({}, "Form4.lblresult.Caption"), "Made 1 image");
  // The 128 x 128 map fits the box whole (a picture is never made larger than its image).
  const std::string preview = driver.ask({}, "Form4.picpreview.Picture");
  EXPECT_EQ(preview.substr(0, preview.find(' ')), "128x128") << preview;
  EXPECT_EQ(driver.ask({}, "Form1.lbllastjob.Caption"), "Last job completed at 12:00:00: Isle_normal_north.png");
  EXPECT_EQ(driver.ask({}, "Form1.picjob.Picture"), preview);
  ASSERT_EQ(driver.ask({"click Form4.Command4", "click Form4.Command5", "click Form4.Command6", "click Form4.Command2",
                        "click Form1.cmdopenmap"},
                       "Form1.Visible"),
            "1");
  const auto& lines = driver.session().lines();
  for (const char* opened : {"open image Isle_normal_north.png", "open folder Isle_normal_north.png",
                             "open map Isle_normal_north_map/index.html"})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), opened), std::string(opened).rfind("open map", 0) == 0 ? 2 : 1)
        << opened;

  // A job whose render fails: no such world folder, so nothing is made and nothing shown.
  fs::rename("appdata/.minecraft/saves/Isle", "appdata/.minecraft/saves/Gone");
  ASSERT_EQ(driver.ask({"type Form1.txtmapname Isle2", "click Form1.Command5"}, "Form1.renderjob.Text"), "0");
  ASSERT_TRUE(waitForJobEnd("renderJob0.log", 120)) << slurp("renderJob0.bat");
  driver.ask({"tick Form4.Timer1"}, "Form4.lbltask.Caption");
  EXPECT_EQ(driver.ask({}, "Form4.outputlist.List(0)"), "Isle2_normal_north.png (not made)");
  EXPECT_EQ(driver.ask({}, "Form4.picpreview.Picture"), "");
  EXPECT_EQ(driver.ask({}, "Form4.Command4.Enabled"), "0");
  EXPECT_EQ(driver.ask({}, "Form1.lbllastjob.Caption"), "Last job failed at 12:00:00, no image");
  // The log window stays open on a failure and names what failed.
  EXPECT_EQ(driver.ask({}, "Form4.Visible"), "1");
  EXPECT_EQ(driver.ask({"click Form4.Command2"}, "Form1.Visible"), "1");
  EXPECT_TRUE(driver.close()) << slurp("driver.err");
}
