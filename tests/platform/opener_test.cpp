// Opening a job's result in the system's own programs: the opener on this system is given a
// full path, a folder is shown by the file manager with the file selected where there is one,
// and without either program the opener says it could not.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/stat.h>

#include "platform/launcher.h"
#include "support/working_folder.h"

using namespace sg;
namespace fs = std::filesystem;

namespace {

// A program named `name` in bin/ that appends its arguments, one line, to `name`.txt.
void fakeProgram(const std::string& name) {
  fs::create_directories("bin");
  const std::string path = "bin/" + name;
  std::ofstream(path) << "#!/bin/sh\necho \"$*\" >> '" << (fs::current_path() / (name + ".txt")).string() << "'\n";
  ::chmod(path.c_str(), 0755);
}

std::string awaitFile(const std::string& name) {
  for (int i = 0; i < 100 && !fs::exists(name); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return sg::test::readFile(name);
}

struct PathIs {
  std::string old;
  explicit PathIs(const std::string& path) : old(std::getenv("PATH") ? std::getenv("PATH") : "") {
    ::setenv("PATH", path.c_str(), 1);
  }
  ~PathIs() { ::setenv("PATH", old.c_str(), 1); }
};

}  // namespace

TEST(Opener, TheSystemsOpenerIsGivenTheFullPathAndAFolderItsFileManager) {
  fakeProgram("xdg-open");
  const std::string here = fs::current_path().string();
  platform::PlatformLauncher launcher;
  {
    PathIs path(here + "/bin");
    ASSERT_TRUE(launcher.open("my map.png", platform::Opening::File));
    EXPECT_EQ(awaitFile("xdg-open.txt"), here + "/my map.png\n");
    fs::remove("xdg-open.txt");
    // No file manager answers: the folder opens as any folder does.
    ASSERT_TRUE(launcher.open("maps/my map.png", platform::Opening::Folder));
    EXPECT_EQ(awaitFile("xdg-open.txt"), here + "/maps\n");
    // A file manager that answers shows the folder with the file selected, by its address.
    fakeProgram("gdbus");
    fs::remove("xdg-open.txt");
    ASSERT_TRUE(launcher.open("maps/my map.png", platform::Opening::Folder));
    const std::string asked = awaitFile("gdbus.txt");
    EXPECT_NE(asked.find("org.freedesktop.FileManager1.ShowItems ['file://" + here + "/maps/my%20map.png']"),
              std::string::npos)
        << asked;
    EXPECT_FALSE(fs::exists("xdg-open.txt"));
  }
  {
    PathIs path(here + "/nowhere");
    EXPECT_FALSE(launcher.open("my map.png", platform::Opening::File));
  }
}
