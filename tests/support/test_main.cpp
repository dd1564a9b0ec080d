// Test entry point: gives every test a fresh temporary working folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

class FreshWorkingFolder : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    home_ = std::filesystem::current_path();
    std::string tmpl = (std::filesystem::temp_directory_path() / "sgtest-XXXXXX").string();
    if (char* d = ::mkdtemp(tmpl.data())) {
      dir_ = d;
      std::filesystem::current_path(dir_);
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
