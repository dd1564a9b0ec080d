// Region files saved by the game itself: the npm package prismarine-provider-anvil, fetched with
// `npm pack` into the build folder once and shared by every test that renders real worlds.
#pragma once
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace sgtest {

// The unpacked package's fixture folder (one subfolder of .mca files per game version), or
// empty when the registry cannot be reached.
inline std::filesystem::path realWorldFixtures(const std::string& buildFolder) {
  namespace fs = std::filesystem;
  fs::path base = fs::path(buildFolder) / "real-worlds";
  fs::path dir = base / "package" / "test" / "fixtures";
  fs::create_directories(base);
  // Tests run side by side under ctest -j; one fetches while the others wait for it.
  int lock = ::open((base / ".fetching").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  if (lock >= 0) ::flock(lock, LOCK_EX);
  if (!fs::is_directory(dir)) {
    std::string q = "'" + base.string() + "'";
    std::string cmd = "cd " + q + " && timeout 30 npm pack --silent prismarine-provider-anvil@2.13.0 "
                      ">/dev/null 2>&1 && tar xzf prismarine-provider-anvil-2.13.0.tgz >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) {
      std::error_code ec;
      fs::remove_all(base / "package", ec);  // a half-unpacked package is no fixture
    }
  }
  if (lock >= 0) ::close(lock);
  return fs::is_directory(dir) ? dir : fs::path();
}

}  // namespace sgtest
