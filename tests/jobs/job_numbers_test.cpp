// Job numbers, clearing every job file, and the post processor's presence check.
#include <gtest/gtest.h>

#include <filesystem>

#include "job_window.h"
#include "jobs/job_numbers.h"
#include "jobs/post_processor_presence.h"
#include "platform/files.h"
#include "settings/clear_files.h"
#include "support/working_folder.h"

using namespace sg;
using test::writeFile;

namespace {

TEST(JobNumber, FirstNumberWithoutALog) {
  EXPECT_EQ(jobs::nextJobNumber(), 0);
  writeFile("renderJob0.log", "");
  writeFile("renderJob2.log", "");
  writeFile("renderJob1.bat", "old");  // only the log decides
  EXPECT_EQ(jobs::nextJobNumber(), 1);
  // A folder of that name is no log.
  ASSERT_TRUE(std::filesystem::create_directory("renderJob1.log"));
  EXPECT_EQ(jobs::nextJobNumber(), 1);
}

TEST(JobNumber, AHundredLogsGiveOneHundred) {
  for (int i = 0; i < 100; ++i) writeFile("renderJob" + std::to_string(i) + ".log", "");
  EXPECT_EQ(jobs::nextJobNumber(), 100);
}

struct ClearAllFiles : ::testing::Test {
  test::JobWindow w;
};

TEST_F(ClearAllFiles, AsksThenAppendsAndStartsTheClearingBatch) {
  w.dialogs().queueAnswer(platform::Answer::No);
  w.c("Command12").fire(forms::Event::Click);
  ASSERT_EQ(w.dialogs().messages().size(), 1u);
  const auto& m = w.dialogs().messages()[0];
  EXPECT_EQ(m.text, "This will delete all files whose name start with \"renderJob\", including any files you "
                    "chose not to delete or renamed as such.\rAre you sure you want to continue?");
  EXPECT_EQ(m.title, "Strandvale G");
  EXPECT_EQ(m.icon, platform::Icon::Exclamation);
  EXPECT_EQ(m.buttons, platform::Buttons::YesNo);
  EXPECT_FALSE(files::FileExists("renderJobDelete.bat"));
  EXPECT_TRUE(w.launcher().records().empty());

  w.c("Command12").fire(forms::Event::Click);  // Yes
  w.c("Command12").fire(forms::Event::Click);  // Yes, to a leftover clearing batch
  EXPECT_EQ(test::readFile("renderJobDelete.bat"), "del renderJob*\r\ndel renderJob*\r\n");
  ASSERT_EQ(w.launcher().records().size(), 2u);
  EXPECT_EQ(w.launcher().records()[0].command, "renderJobDelete.bat");
  EXPECT_TRUE(w.launcher().records()[0].minimised);
}

TEST_F(ClearAllFiles, AClearingBatchThatCannotBeWrittenIsReportedAndNotStarted) {
  ASSERT_TRUE(std::filesystem::create_directory("renderJobDelete.bat"));
  settings::clearAllFiles(w.w().registry);
  ASSERT_EQ(w.dialogs().messages().size(), 2u);
  EXPECT_EQ(w.dialogs().messages()[1].text, "Warning: could not write deletion command to renderJobDelete.bat");
  EXPECT_TRUE(w.launcher().records().empty());
}

TEST(PostProcessorPresence, FoundInAnyLetterCaseElseGreyed) {
  {
    test::MainWindow missing;
    EXPECT_EQ(missing.c("checkdisablepostprocessor").value(), 2);
  }
  writeFile("strandvale_g_post_processor.exe", "");
  test::MainWindow lower;
  EXPECT_EQ(lower.c("checkdisablepostprocessor").value(), 0);
  auto o = lower.options();
  jobs::checkpostprocessor(o);
  EXPECT_EQ(lower.c("checkdisablepostprocessor").value(), 0);
}

}  // namespace
