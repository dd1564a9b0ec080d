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

// An npm package unpacked into the build folder once, under `folder` (only `members` of it, when
// given), shared by every test that needs it; the path of `inside` in it, or empty when the
// registry cannot be reached.
inline std::filesystem::path npmPackage(const std::string& buildFolder, const std::string& folder,
                                        const std::string& package, const std::string& tarball, const std::string& inside,
                                        const std::string& members = "") {
  namespace fs = std::filesystem;
  fs::path base = fs::path(buildFolder) / folder;
  fs::path wanted = base / inside;
  fs::create_directories(base);
  // Tests run side by side under ctest -j; one fetches while the others wait for it.
  int lock = ::open((base / ".fetching").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  if (lock >= 0) ::flock(lock, LOCK_EX);
  if (!fs::exists(wanted)) {
    std::string q = "'" + base.string() + "'";
    std::string cmd = "cd " + q + " && timeout 60 npm pack --silent " + package + " >/dev/null 2>&1 && tar xzf " +
                      tarball + " " + members + " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) {
      std::error_code ec;
      fs::remove_all(base / "package", ec);  // a half-unpacked package is no fixture
    }
  }
  if (lock >= 0) ::close(lock);
  return fs::exists(wanted) ? wanted : fs::path();
}

// The unpacked package's fixture folder (one subfolder of .mca files per game version), or
// empty when the registry cannot be reached.
inline std::filesystem::path realWorldFixtures(const std::string& buildFolder) {
  return npmPackage(buildFolder, "real-worlds", "prismarine-provider-anvil@2.13.0",
                    "prismarine-provider-anvil-2.13.0.tgz", "package/test/fixtures");
}

// The game's numeric block data (every id and data value up to 1.12 with its name), from the
// npm package minecraft-data, or empty when the registry cannot be reached.
inline std::filesystem::path numericBlockData(const std::string& buildFolder) {
  const std::string file = "package/minecraft-data/data/pc/common/legacy.json";
  return npmPackage(buildFolder, "minecraft-data", "minecraft-data@3.119.0", "minecraft-data-3.119.0.tgz", file, file);
}

// A Bedrock world's store saved by the game (the db folder of a small flat world), from the npm
// package bedrock-provider, or empty when the registry cannot be reached.
inline std::filesystem::path bedrockFixture(const std::string& buildFolder) {
  const std::string folder = "package/test/mctestdb";
  return npmPackage(buildFolder, "bedrock-world", "bedrock-provider@3.1.0", "bedrock-provider-3.1.0.tgz", folder,
                    folder);
}

}  // namespace sgtest
