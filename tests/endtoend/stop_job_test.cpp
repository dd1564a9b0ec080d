// "Stop job" on a real job: the job runner, the renderer and the post processor it started are
// ended half-way through a long render, nothing of the job is left running or half-written,
// and the next job runs as usual.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "driver_here.h"
#include "tool_test_support.h"

using namespace sgtest;
namespace fs = std::filesystem;

namespace {

// The processes working in this folder (the job's run there).
std::vector<std::string> processesHere() {
  std::vector<std::string> found;
  std::error_code ec;
  const fs::path here = fs::canonical(fs::current_path());
  for (const auto& e : fs::directory_iterator("/proc", ec)) {
    const std::string pid = e.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos || pid == std::to_string(::getpid())) continue;
    std::error_code bad;
    if (fs::read_symlink(e.path() / "cwd", bad) != here || bad) continue;
    const std::string name = slurp((e.path() / "comm").string());
    if (name.rfind("strandvale-g-sc", 0) == 0) continue;  // the driver itself (names are cut to 15)
    found.push_back(pid + " " + name);
  }
  return found;
}

}  // namespace

TEST(StopJob, ARealJobIsEndedWithEverythingItStartedAndLeavesNothingHalfMade) {
  installProgram(SG_RENDERER, "strandvale_g_renderer.exe");
  installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
  installProgram(SG_RUNNER, "strandvale-g-runner");
  // Large enough that the isometric render takes many seconds.
  ASSERT_EQ(std::system((std::string(SG_DEMO_WORLD) + " appdata/.minecraft/saves/Big --chunks 96 96 >/dev/null 2>&1").c_str()), 0);
  DriverHere driver({{"SG_RENDER_CACHE", (fs::current_path() / "no-cache").string()}});
  auto ask = [&](const std::vector<std::string>& commands, const std::string& reference) {
    return driver.ask(commands, reference);
  };
  ASSERT_EQ(ask({"launcher real", "start"}, "Form1.Visible"), "1");
  ASSERT_EQ(ask({"type Form1.txtmapname Big", "pick Form1.combostyle 6", "answer Yes", "click Form1.Command5"},
                "Form1.renderjob.Text"),
            "0");
  // Half-way: the renderer has said how far it is.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!exists("renderJob0progress.log") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_TRUE(exists("renderJob0progress.log")) << slurp("renderJob0.bat");
  ASSERT_FALSE(processesHere().empty());
  EXPECT_EQ(ask({"tick Form4.Timer1", "click Form4.Command3"}, "Form4.lbltask.Caption"),
            "Task 1 of 2 stopped at 12:00:00");

  std::string left;
  for (const auto& p : processesHere()) left += p + "\n";
  EXPECT_EQ(left, "") << "processes of the job still run";
  for (const auto& e : fs::directory_iterator(".")) {
    const std::string name = e.path().filename().string();
    EXPECT_EQ(name.find(".part"), std::string::npos) << name;
    EXPECT_EQ(name.find("layer"), std::string::npos) << name;
    EXPECT_NE(name, "renderJob0.log");
    EXPECT_NE(name, "renderJob0progress.log");
    EXPECT_NE(name, "Big_isometric_north.png");
  }

  // The next job runs as usual, to its image.
  ASSERT_EQ(ask({"pick Form1.combostyle 0", "click Form1.Command5"}, "Form1.renderjob.Text"), "0");
  const auto next = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (exists("renderJob0.log") && std::chrono::steady_clock::now() < next)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(ask({"tick Form4.Timer1"}, "Form4.lbltask.Caption"), "Task 2 of 2 completed at 12:00:00");
  EXPECT_TRUE(exists("Big_normal_north.png"));

  EXPECT_TRUE(driver.close()) << slurp("driver.err");
}
