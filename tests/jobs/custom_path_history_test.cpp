// When a rendered custom path enters the history.
#include <gtest/gtest.h>

#include "job_window.h"
#include "jobs/custom_path_history.h"
#include "options/entry_fields.h"

using namespace sg;

namespace {

struct CustomPathHistory : ::testing::Test {
  test::JobWindow w;
  void record() {
    auto o = w.o();
    jobs::recordCustomPath(options::readEntry(o), o, w.w().registry);
  }
  void chooseCustom(const std::string& path) {
    auto& worlds = w.c("comboworldfolders");
    worlds.setListIndex(worlds.listCount() - 1);
    w.c("txtcustompath").setText(path);
  }
  std::vector<std::string> mainList() { return w.c("txtcustompath").items(); }
  std::vector<std::string> dialogList() { return w.f5("custompathlist").items(); }
};

TEST_F(CustomPathHistory, AddedOnceIgnoringCaseToBothLists) {
  chooseCustom("D:\\old\\world1");
  record();
  record();
  chooseCustom("d:\\OLD\\World1");
  record();
  EXPECT_EQ(mainList(), std::vector<std::string>{"D:\\old\\world1"});
  EXPECT_EQ(dialogList(), std::vector<std::string>{"D:\\old\\world1"});
  chooseCustom("E:\\backup world");
  record();
  EXPECT_EQ(dialogList(), (std::vector<std::string>{"D:\\old\\world1", "E:\\backup world"}));
}

TEST_F(CustomPathHistory, NothingForListedWorldsEmptyPathsOrWhenSavingIsOff) {
  w.c("txtcustompath").setText("D:\\typed but not chosen");
  record();
  chooseCustom("");
  record();
  chooseCustom("   ");
  record();
  EXPECT_TRUE(mainList().empty());
  chooseCustom("D:\\kept");
  record();
  w.f5("custompathnosaving").setValue(1);
  chooseCustom("D:\\new");
  record();
  EXPECT_EQ(mainList(), std::vector<std::string>{"D:\\kept"});
  EXPECT_EQ(dialogList(), std::vector<std::string>{"D:\\kept"});
}

}  // namespace
