// Without a display the program says so in one line and names the script driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "qt/display_check.h"

namespace sg::test {
namespace {

TEST(DisplayCheck, SpeaksUpOnlyWhenNoWindowCanOpen) {
  platform::MapEnvironment env;
  auto message = qt::missingDisplayMessage(env, "strandvale-g");
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->find('\n'), std::string::npos);
  EXPECT_NE(message->find("no display"), std::string::npos);
  EXPECT_NE(message->find("strandvale-g-script"), std::string::npos);

  env.set("DISPLAY", "");
  EXPECT_TRUE(qt::missingDisplayMessage(env, "strandvale-g").has_value());
  env.set("DISPLAY", ":0");
  EXPECT_FALSE(qt::missingDisplayMessage(env, "strandvale-g").has_value());
  env.unset("DISPLAY");
  env.set("WAYLAND_DISPLAY", "wayland-0");
  EXPECT_FALSE(qt::missingDisplayMessage(env, "strandvale-g").has_value());
  env.unset("WAYLAND_DISPLAY");
  env.set("QT_QPA_PLATFORM", "offscreen");
  EXPECT_FALSE(qt::missingDisplayMessage(env, "strandvale-g").has_value());
}

TEST(DisplayCheck, NamesTheDriverWhereABuildPutsIt) {
  namespace fs = std::filesystem;
  fs::create_directories("build/src_interface/qt");
  std::ofstream("build/src_interface/strandvale-g-script") << "";
  platform::MapEnvironment env;
  auto message = qt::missingDisplayMessage(env, "build/src_interface/qt/strandvale-g");
  ASSERT_TRUE(message.has_value());
  EXPECT_NE(message->find("build/src_interface/strandvale-g-script"), std::string::npos) << *message;
}

}  // namespace
}  // namespace sg::test
