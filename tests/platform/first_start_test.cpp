// The working folder before the windows open: the render tools brought in from the program's
// folder when missing or older, and a demo world on a first start without the game's worlds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "platform/environment.h"
#include "platform/files.h"
#include "platform/first_start.h"
#include "support/working_folder.h"

using namespace sg;
using sg::test::writeFile;
namespace fs = std::filesystem;

namespace {

// A stand-in for the world writer beside the program: makes the world folder it is given.
void fakeWorldWriter(const std::string& folder) {
  writeFile(folder + "/strandvale-g-demo-world.exe", "#!/bin/sh\nmkdir -p \"$1\" && echo level > \"$1/level.dat\"\n");
  ::chmod((folder + "/strandvale-g-demo-world.exe").c_str(), 0755);
}

std::string content(const std::string& name) { return files::readAll(name).value_or("<missing>"); }

}  // namespace

TEST(FirstStart, TheRenderToolsComeInWhenMissingOrOlder) {
  writeFile("program/strandvale_g_renderer.exe", "renderer 2");
  writeFile("program/strandvale_g_post_processor.exe", "post 2");
  writeFile("strandvale_g_post_processor.exe", "post 1");
  fs::last_write_time("strandvale_g_post_processor.exe",
                      fs::last_write_time("program/strandvale_g_post_processor.exe") - std::chrono::hours(1));
  platform::bringRenderToolsIn("program");
  EXPECT_EQ(content("strandvale_g_renderer.exe"), "renderer 2");
  EXPECT_EQ(content("strandvale_g_post_processor.exe"), "post 2");
  // A newer copy in the working folder stays; the program's own folder is left alone.
  writeFile("strandvale_g_renderer.exe", "renderer 3");
  platform::bringRenderToolsIn("program");
  EXPECT_EQ(content("strandvale_g_renderer.exe"), "renderer 3");
  platform::bringRenderToolsIn(".");
  EXPECT_EQ(content("strandvale_g_renderer.exe"), "renderer 3");
}

TEST(FirstStart, ADemoWorldOnlyWhereTheGameHasNone) {
  fakeWorldWriter("program");
  platform::MapEnvironment env;
  env.set("APPDATA", (fs::current_path() / "appdata").string());
  // The game's saves folder holds a world: nothing is written.
  writeFile("appdata/.minecraft/saves/Mine/level.dat", "x");
  EXPECT_FALSE(platform::writeDemoWorldOnFirstStart("program", env));
  EXPECT_FALSE(files::FileExists("settings.dat"));
  // Without it, the demo world and settings that point the save folder at it.
  fs::remove_all("appdata");
  EXPECT_TRUE(platform::writeDemoWorldOnFirstStart("program", env));
  EXPECT_TRUE(files::FileExists("demo-saves/Demo World/level.dat"));
  const auto lines = files::readLines("settings.dat");
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 4u);
  EXPECT_EQ((*lines)[0], "CustomSavePath");
  EXPECT_EQ((*lines)[1], "demo-saves/") << "named from the working folder, so that no job carries its path";
  EXPECT_EQ((*lines)[3], "custom");
  // Settings exist from then on: a later start writes nothing again.
  fs::remove_all("demo-saves");
  EXPECT_FALSE(platform::writeDemoWorldOnFirstStart("program", env));
  EXPECT_FALSE(files::FileExists("demo-saves/Demo World/level.dat"));
}
