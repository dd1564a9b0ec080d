// A full disk: the working folder on a small tmpfs that is filled up. Render says which write
// failed and the main window comes back; the settings file keeps its previous content; the
// renderer and post processor fail with status 1, leaving no partial image and no temporary
// file. Skipped (with a line saying why) where no tmpfs can be mounted.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tool_test_support.h"
#include "worldgen/demo_world.h"

using namespace sgtest;
namespace fs = std::filesystem;

namespace {

class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    outside_ = fs::current_path();
    disk_ = outside_ / "disk";
    fs::create_directories(disk_);
    if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=512k") != 0)
      GTEST_SKIP() << "no tmpfs can be mounted here (needs root): the full-disk cases were not run";
    mounted_ = true;
    fs::current_path(disk_);
  }
  void TearDown() override {
    fs::current_path(outside_);
    if (mounted_) ::umount(disk_.c_str());
  }
  // Fills the disk, leaving about `room` bytes free.
  void fill(size_t room) {
    std::ofstream filler("filler", std::ios::binary);
    std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) {
    }
    filler.close();
    if (room) fs::resize_file("filler", fs::file_size("filler") - room);
  }
  // Runs a command in the full folder; what it prints is kept outside it.
  int run(const std::string& command) {
    int status = std::system((command + " >'" + (outside_ / "out.txt").string() + "' 2>'" +
                              (outside_ / "err.txt").string() + "'").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string printed() { return slurp((outside_ / "out.txt").string()); }
  std::string errors() { return slurp((outside_ / "err.txt").string()); }
  fs::path outside_, disk_;
  bool mounted_ = false;
};

}  // namespace

TEST_F(FullDisk, RenderReportsTheFailedWriteAndTheMainWindowComesBack) {
  spit("settings.dat", "CustomSavePath\r\nsaves/\r\nSavePathOption\r\ncustom\r\n");
  const std::string before = slurp("settings.dat");
  fill(0);
  spit((outside_ / "r.script").string(),
       "start\nclick Form1.Command5\nprint Form1.Visible\nset Form5.worldnamenoparsing.Value 1\n");
  setenv("APPDATA", "appdata", 1);
  run(std::string(SG_SCRIPT_DRIVER) + " '" + (outside_ / "r.script").string() + "'");
  std::string said = printed();
  EXPECT_NE(said.find("msgbox exclamation OK OK | Strandvale G | Warning: "), std::string::npos) << said;
  EXPECT_NE(said.find("Form1.Visible=1"), std::string::npos) << said;
  EXPECT_EQ(slurp("settings.dat"), before) << "a failed save keeps the previous settings";
}

TEST_F(FullDisk, TheToolsFailWithoutPartialImagesOrTemporaryFiles) {
  sgworld::DemoWorld demo;
  demo.folder = outside_ / "world";
  demo.chunksX = demo.chunksZ = 8;
  demo.nether = false;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(demo, error)) << error;
  // A small image that fits, for the post processor's input, before the disk fills.
  ASSERT_EQ(run(std::string(SG_RENDERER) + " custom '" + demo.folder.string() + "' rectangle 0 0 0 0 outfile in.png"), 0);
  fill(2048);
  EXPECT_EQ(run(std::string(SG_RENDERER) + " custom '" + demo.folder.string() + "' isometric outfile map.png"), 1);
  EXPECT_NE(errors().find("cannot write the image map.png"), std::string::npos) << errors();
  EXPECT_EQ(run(std::string(SG_POST_PROCESSOR) + " merge 2 in.png in.png rotate 90 output post.png"), 1);
  EXPECT_NE(errors().find("post processor: "), std::string::npos);
  for (auto& e : fs::directory_iterator("."))
    EXPECT_TRUE(e.path().filename() == "filler" || e.path().filename() == "in.png" ||
                e.path().filename() == "newer-blocks.sgs")
        << "left behind: " << e.path().filename();
}
