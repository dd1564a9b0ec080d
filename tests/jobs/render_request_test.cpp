// Whole Render requests through the main window: the batch file, the job log, the launcher
// call and what the window shows afterwards.
#include <gtest/gtest.h>

#include <filesystem>

#include "job_window.h"
#include "support/test_system.h"
#include "platform/files.h"

using namespace sg;
using test::crlfLines;
using test::plainEntry;

namespace {

class FailingLauncher : public platform::Launcher {
 public:
  bool start(const std::string&, bool) override { return false; }
};

struct RenderRequest : ::testing::Test {
  test::JobWindow w;
  RenderRequest() { w.w().form1->show(); }
  bool mainShown() { return w.w().form1->visible(); }
  std::vector<std::string> job(int n = 0) { return crlfLines("renderJob" + std::to_string(n) + ".bat"); }
  std::vector<std::string> messages() {
    std::vector<std::string> t;
    for (const auto& m : w.dialogs().messages()) t.push_back(m.text);
    return t;
  }
  std::string renderer(const std::string& entry, const std::string& outfile, int n = 0) {
    std::string j = std::to_string(n);
    return "strandvale_g_renderer.exe " + entry + "progress renderJob" + j + "progress.log outfile " + outfile;
  }
  static std::string trapA(int n) {
    return "Warning: could not write introduction to renderJob" + std::to_string(n) +
           ".bat\rPlease make sure you run Strandvale G with writing rights and if necessary not in a "
           "subfolder to your desktop or documents folder";
  }
  const std::string intro = "@echo Rename this batchfile if you want to use it again";
  const std::string starting = "echo Starting at 12:00:00 >> renderJob0.log";
  const std::string del1 = "del renderJob0.log", del2 = "del renderJob0progress.log";
};

TEST_F(RenderRequest, OneRow) {
  w.render();
  EXPECT_EQ(job(), (std::vector<std::string>{
      intro, starting,
      "echo Rendering renderJob0layer0.png (base_normal_north.png) >> renderJob0.log",
      renderer(plainEntry("base"), "renderJob0layer0.png"),
      "echo Post Processing base_normal_north.png >> renderJob0.log",
      "strandvale_g_post_processor.exe input renderJob0layer0.png delete output \"base_normal_north.png\"",
      "", del1, del2}));
  EXPECT_EQ(test::readFile("renderJob0.log"), "");
  ASSERT_EQ(w.launcher().records().size(), 1u);
  EXPECT_EQ(w.launcher().records()[0].command, "renderJob0.bat");
  EXPECT_TRUE(w.launcher().records()[0].minimised);
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(mainShown());  // the log window follows the job
  EXPECT_EQ(w.c("renderjob").text(), "0");
  EXPECT_EQ(w.c("totaljob").text(), "2");
  EXPECT_EQ(w.c("totaljobrenders").text(), "1");
  EXPECT_EQ(w.c("tempstackn").text(), "0");

  // The next request takes the next number while the first job's log is there.
  w.render();
  EXPECT_EQ(w.launcher().records().back().command, "renderJob1.bat");
  EXPECT_EQ(job(1)[1], "echo Starting at 12:00:00 >> renderJob1.log");
}

TEST_F(RenderRequest, TwoStackedRowsMergeUnderTheLastRowsName) {
  w.row(plainEntry("a"));
  w.addRow(plainEntry("b"));
  w.render();
  EXPECT_EQ(job(), (std::vector<std::string>{
      intro, starting,
      "echo Rendering renderJob0layer0.png (a_normal_north.png) >> renderJob0.log",
      renderer(plainEntry("a"), "renderJob0layer0.png"),
      "echo Rendering renderJob0layer1.png (b_normal_north.png) >> renderJob0.log",
      renderer(plainEntry("b"), "renderJob0layer1.png"),
      "echo Post Processing b_normal_north_2-renders.png >> renderJob0.log",
      "strandvale_g_post_processor.exe merge 2 renderJob0layer0.png renderJob0layer1.png delete output "
      "\"b_normal_north_2-renders.png\"",
      "", del1, del2}));
  EXPECT_EQ(w.c("totaljob").text(), "3");
  // The row selected before the request is selected again.
  EXPECT_EQ(w.c("stacklist").listIndex(), 1);
  EXPECT_EQ(w.c("txtmapname").text(), "b");
}

TEST_F(RenderRequest, PerLayerRowRendersEachLayerAloneAndReadsAsBefore) {
  const std::string line = "folder \"World1\" name \"base\" normal north onlylayers 2 10 20 checkeachlayer automirror ";
  w.row(line);
  ASSERT_EQ(w.w().selectedLine(), line);
  w.render();
  const std::string layerEntry10 = "folder \"World1\" name \"base\" normal north onlylayers 1 10 checkeachlayer automirror ";
  const std::string layerEntry20 = "folder \"World1\" name \"base\" normal north onlylayers 1 20 checkeachlayer automirror ";
  EXPECT_EQ(job(), (std::vector<std::string>{
      intro, starting,
      "echo Rendering renderJob0layer0.png (base_normal_north_only-layer-10.png) >> renderJob0.log",
      renderer(layerEntry10, "renderJob0layer0.png"),
      "echo Post Processing base_normal_north_only-layer-10.png >> renderJob0.log",
      "strandvale_g_post_processor.exe input renderJob0layer0.png delete output \"base_normal_north_only-layer-10.png\"",
      "",
      "echo Rendering renderJob0layer0.png (base_normal_north_only-layer-20.png) >> renderJob0.log",
      renderer(layerEntry20, "renderJob0layer0.png"),
      "echo Post Processing base_normal_north_only-layer-20.png >> renderJob0.log",
      "strandvale_g_post_processor.exe input renderJob0layer0.png delete output \"base_normal_north_only-layer-20.png\"",
      "", del1, del2}));
  EXPECT_EQ(w.c("totaljobrenders").text(), "2");
  EXPECT_EQ(w.c("totaljob").text(), "4");
  EXPECT_EQ(w.w().selectedLine(), line);
  EXPECT_EQ(w.c("checksurpressstacking").value(), 0);
}

TEST_F(RenderRequest, PerLayerRowBetweenStackedRowsMergesWhatCameBefore) {
  w.row(plainEntry("a"));
  w.addRow("folder \"World1\" name \"b\" normal north onlylayers 1 5 checkeachlayer automirror ");
  w.addRow(plainEntry("c"));
  w.render();
  auto l = job();
  ASSERT_EQ(l.size(), 19u);
  EXPECT_EQ(l[3], renderer(plainEntry("a"), "renderJob0layer0.png"));
  // a's single layer is taken as input under b's options (the stack count is 1, so no suffix).
  EXPECT_EQ(l[4], "echo Post Processing b_normal_north_only-layer-5.png >> renderJob0.log");
  EXPECT_EQ(l[5], "strandvale_g_post_processor.exe input renderJob0layer0.png delete output "
                  "\"b_normal_north_only-layer-5.png\"");
  EXPECT_EQ(l[7], "echo Rendering renderJob0layer0.png (b_normal_north_only-layer-5.png) >> renderJob0.log");
  EXPECT_EQ(l[10], "strandvale_g_post_processor.exe input renderJob0layer0.png delete output "
                   "\"b_normal_north_only-layer-5.png\"");
  EXPECT_EQ(l[12], "echo Rendering renderJob0layer0.png (c_normal_north.png) >> renderJob0.log");
  EXPECT_EQ(l[14], "echo Post Processing c_normal_north.png >> renderJob0.log");
  EXPECT_EQ(w.c("totaljob").text(), "6");
  EXPECT_EQ(w.c("totaljobrenders").text(), "3");
}

TEST_F(RenderRequest, LoggingOffWritesNoLogLinesAndBringsTheWindowBack) {
  w.c("checkdisablelogging").setValue(1);
  w.render();
  EXPECT_EQ(job(), (std::vector<std::string>{
      intro, renderer(plainEntry("base"), "renderJob0layer0.png"),
      "strandvale_g_post_processor.exe input renderJob0layer0.png delete output \"base_normal_north.png\"", ""}));
  EXPECT_FALSE(files::FileExists("renderJob0.log"));
  EXPECT_TRUE(mainShown());
  EXPECT_EQ(w.launcher().records().size(), 1u);
  EXPECT_EQ(w.c("totaljob").text(), "0");
  // Without a log the next request takes the same number and replaces the batch file.
  w.c("txtmapname").setText("other");
  w.render();
  EXPECT_EQ(w.launcher().records().back().command, "renderJob0.bat");
  EXPECT_EQ(job()[1], renderer(plainEntry("other"), "renderJob0layer0.png"));
}

TEST_F(RenderRequest, MissingPostProcessorRendersStraightToTheFinalNames) {
  w.c("checkdisablepostprocessor").setValue(2);
  w.addRow(plainEntry("b"));
  w.render();
  EXPECT_EQ(job(), (std::vector<std::string>{
      intro, starting,
      "echo Rendering \"base_normal_north.png\" >> renderJob0.log",
      renderer(plainEntry("base"), "\"base_normal_north.png\""),
      "echo Rendering \"b_normal_north.png\" >> renderJob0.log",
      renderer(plainEntry("b"), "\"b_normal_north.png\""), del1, del2}));
}

TEST_F(RenderRequest, TwentyRendersStartAtOnceAndTwentyOneAsk) {
  std::string twenty = "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19";
  w.row("folder \"World1\" name \"base\" normal north onlylayers 20 " + twenty + " checkeachlayer automirror ");
  w.render();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(w.launcher().records().size(), 1u);

  w.w().form1->show();
  w.c("layerfiltertext").setText(twenty + " 20");
  w.dialogs().queueAnswer(platform::Answer::No);
  w.render();
  ASSERT_EQ(w.dialogs().messages().size(), 1u);
  const auto& q = w.dialogs().messages()[0];
  EXPECT_EQ(q.text, "You have requested to render 21 images, which can take a long time.\r"
                    "Are you sure you want to continue?");
  EXPECT_EQ(q.buttons, platform::Buttons::YesNo);
  EXPECT_EQ(q.icon, platform::Icon::Exclamation);
  // Declined: the batch file stays as written, without closing lines, log or start.
  auto l = job(1);
  EXPECT_EQ(l.size(), 2u + 21 * 5);
  EXPECT_NE(l.back(), "del renderJob1progress.log");
  EXPECT_FALSE(files::FileExists("renderJob1.log"));
  EXPECT_EQ(w.launcher().records().size(), 1u);
  EXPECT_TRUE(mainShown());
}

TEST_F(RenderRequest, EmptyStackGivesOnlyTheFrame) {
  w.c("stacklist").clear();
  w.render();
  EXPECT_EQ(job(), (std::vector<std::string>{intro, starting, del1, del2}));
  EXPECT_EQ(w.launcher().records().size(), 1u);
}

TEST_F(RenderRequest, AHundredLogsPresentUseNumberOneHundred) {
  for (int i = 0; i < 100; ++i) test::writeFile("renderJob" + std::to_string(i) + ".log", "running");
  w.render();
  EXPECT_EQ(w.launcher().records().at(0).command, "renderJob100.bat");
  EXPECT_EQ(job(100).back(), "del renderJob100progress.log");
  EXPECT_EQ(test::readFile("renderJob0.log"), "running");
}

TEST_F(RenderRequest, RenderedCustomPathEntersTheHistory) {
  w.row("custom \"D:\\worlds\\mine\" name \"base\" normal north automirror ");
  w.addRow("custom \"d:\\WORLDS\\mine\" name \"base\" normal north automirror ");
  w.render();
  EXPECT_EQ(w.c("txtcustompath").items(), std::vector<std::string>{"D:\\worlds\\mine"});
  EXPECT_EQ(w.f5("custompathlist").items(), std::vector<std::string>{"D:\\worlds\\mine"});
}

TEST_F(RenderRequest, UserTextIsEscapedOnlyInTheBatchLines) {
  const std::string line = "folder \"World1\" name \"a & 50%\" normal north automirror ";
  w.row(line);
  w.render();
  auto l = job();
  EXPECT_EQ(l[2], "echo Rendering renderJob0layer0.png (a ^& 50%%_normal_north.png) >> renderJob0.log");
  EXPECT_EQ(l[3], renderer("folder \"World1\" name \"a & 50%%\" normal north automirror ", "renderJob0layer0.png"));
  EXPECT_EQ(l[4], "echo Post Processing a ^& 50%%_normal_north.png >> renderJob0.log");
  EXPECT_EQ(l[5], "strandvale_g_post_processor.exe input renderJob0layer0.png delete output \"a & 50%%_normal_north.png\"");
  EXPECT_EQ(w.w().selectedLine(), line);
}

TEST_F(RenderRequest, TrapAWhenTheBatchFileCannotBeCreated) {
  ASSERT_TRUE(std::filesystem::create_directory("renderJob0.bat"));
  w.render();
  EXPECT_EQ(messages(), std::vector<std::string>{trapA(0)});
  EXPECT_TRUE(w.launcher().records().empty());
  EXPECT_FALSE(files::FileExists("renderJob0.log"));
  EXPECT_TRUE(mainShown());
}

TEST_F(RenderRequest, TrapAFromAnUnreadableOffsetFileShowsTheWindowAgain) {
  w.addRow(plainEntry("m") + "rectangle fileminx filemaxx fileminz filemaxz ");
  if (!test::linkToItself("mOffset.txt")) GTEST_SKIP() << "no symbolic links here";
  w.render();
  EXPECT_EQ(messages(), std::vector<std::string>{trapA(0)});
  EXPECT_TRUE(w.launcher().records().empty());
  EXPECT_FALSE(files::FileExists("renderJob0.log"));
  EXPECT_TRUE(mainShown());
  // The rows are untouched; the file holds what was written before the failure.
  EXPECT_EQ(w.c("stacklist").list(0), plainEntry("base"));
  EXPECT_EQ(job().size(), 4u);
}

TEST_F(RenderRequest, TrapBWhenTheLogCannotBeMade) {
  ASSERT_TRUE(std::filesystem::create_directory("renderJob0.log"));  // a folder is no log, so N is 0
  w.render();
  EXPECT_EQ(messages(), std::vector<std::string>{
      "Warning: could not add deletion of renderJob0.log to renderJob0.bat, please manually remove it afterwards"});
  EXPECT_TRUE(w.launcher().records().empty());
  EXPECT_NE(job().back(), del2);
  EXPECT_TRUE(mainShown());
}

TEST_F(RenderRequest, AJobThatCannotStartIsReported) {
  FailingLauncher failing;
  w.launcher().passTo(&failing);
  w.render();
  EXPECT_EQ(messages(), std::vector<std::string>{"Warning: could not open logging screen"});
  EXPECT_TRUE(mainShown());

  w.c("checkdisablelogging").setValue(1);
  w.render();
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1], trapA(1));
}

}  // namespace
