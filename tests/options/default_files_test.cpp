#include <gtest/gtest.h>

#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::writeFile;

TEST(DefaultFiles, DefaultLineComesFromTheFirstLineOfDefaultSettings) {
  writeFile("defaultSettings.txt", "folder \"W\" name \"m\" cave  \r\nignored\r\n");
  MainWindow w;
  EXPECT_EQ(w.c("defaultset").text(), "folder \"W\" name \"m\" cave  ");
}

TEST(DefaultFiles, EmptyOrBinaryFilesKeepTheBuiltInValues) {
  writeFile("defaultSettings.txt", "");
  writeFile("defaultMapFormat.txt", std::string("\0\x01\xff", 3));
  MainWindow w;
  EXPECT_EQ(w.c("defaultset").text(), "world 1 normal north");
  EXPECT_EQ(w.c("combomapformat").listIndex(), 0);
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST(DefaultFiles, MapFormatIsRoundedHalvesToEvenAndMustBeAValidIndex) {
  struct { const char* content; int index; } cases[] = {
      {"2\r\n", 2}, {"1.5", 2}, {"0.5", 0}, {" 1", 1}, {"3", 0}, {"-1", 0}, {"x", 0}};
  for (auto& c : cases) {
    writeFile("defaultMapFormat.txt", c.content);
    MainWindow w;
    EXPECT_EQ(w.c("combomapformat").listIndex(), c.index) << c.content;
  }
}
