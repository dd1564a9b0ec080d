// Test entry point: gives every test a fresh temporary working folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "support/test_system.h"

namespace {

class FreshWorkingFolder : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    home_ = std::filesystem::current_path();
    // A new folder of its own: create_directory fails on a name that is taken.
    static std::mt19937_64 names{std::random_device{}()};
    const auto temp = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      auto candidate = temp / ("sgtest-" + std::to_string(names() % 1000000000000ULL));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        dir_ = candidate;
        std::filesystem::current_path(dir_);
        // The renderer's cache of each test is its own, and goes with the test's folder.
        sg::test::setVariable("SG_RENDER_CACHE", (dir_ / "render-cache").string());
        break;
      }
    }
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::filesystem::current_path(home_);
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    dir_.clear();
  }

 private:
  std::filesystem::path home_, dir_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshWorkingFolder);
  return RUN_ALL_TESTS();
}
