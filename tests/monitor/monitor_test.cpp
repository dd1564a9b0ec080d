#include <gtest/gtest.h>

#include <cstdio>

#include "monitor/form4.h"
#include "monitor/job_log.h"
#include "monitor/job_progress.h"
#include "monitor/monitor_start.h"
#include "monitor/stopped_job.h"
#include "platform/files.h"
#include "support/main_window.h"
#include "support/working_folder.h"

using sg::test::MainWindow;
using sg::test::writeFile;
using namespace sg;

namespace {
struct Monitor : ::testing::Test {
  MainWindow w;
  monitor::Form4* f4 = nullptr;
  // A started job: the main window hidden, the log created empty, the window following.
  void start(int job, int tasks) {
    w.form1->hide();
    writeFile("renderJob" + std::to_string(job) + ".log", "");
    monitor::openProgressMonitor(w.registry, job, tasks);
    f4 = &w.registry.get<monitor::Form4>("Form4");
  }
  forms::Control& c(const char* n) { return f4->control(n); }
  void tick() { f4->control("Timer1").tick(); }
};
}  // namespace

TEST_F(Monitor, CountsTasksAndPercentFromTheJobLog) {
  start(3, 4);
  EXPECT_TRUE(f4->visible());
  EXPECT_TRUE(c("Timer1").timerEnabled());
  tick();  // an empty log: task -1 and a negative percentage
  EXPECT_EQ(c("lbltask").caption(), "Task -1 of 4 ");
  EXPECT_EQ(c("lblpercentage").caption(), "-50%");
  EXPECT_EQ(c("progressbar").value(), 0);
  writeFile("renderJob3.log", "Started\r\nRendering a\r\nRendering b\r\n");
  tick();
  EXPECT_EQ(c("progresslist").listCount(), 3);
  EXPECT_EQ(c("lbltask").caption(), "Task 2 of 4 ");
  EXPECT_EQ(c("lblpercentage").caption(), "25%");
  EXPECT_EQ(c("progressbar").value(), 25);
}

TEST_F(Monitor, PercentRoundsHalvesToEven) {
  long long p = 0;
  ASSERT_TRUE(monitor::overallPercentage(3, "8", p));
  EXPECT_EQ(p, 12);
  ASSERT_TRUE(monitor::overallPercentage(6, "8", p));
  EXPECT_EQ(p, 50);
  ASSERT_TRUE(monitor::overallPercentage(4, "7", p));
  EXPECT_EQ(p, 29);
  EXPECT_FALSE(monitor::overallPercentage(4, "0", p));
  EXPECT_FALSE(monitor::overallPercentage(4, "many", p));
}

TEST_F(Monitor, PartialAndEmptyLinesAreReplacedOnLaterTicks) {
  start(0, 5);
  writeFile("renderJob0.log", "Start\r\nRend");
  tick();
  EXPECT_EQ(c("progresslist").list(1), "Rend");
  writeFile("renderJob0.log", "Start\r\n\r\nRendering x\r\n");
  tick();
  EXPECT_EQ(c("progresslist").listCount(), 2);
  EXPECT_EQ(c("progresslist").list(1), "Rendering x");
  writeFile("renderJob0.log", "Start\nRendering x\rMerging\r\n");
  tick();
  EXPECT_EQ(c("progresslist").items(), (std::vector<std::string>{"Start", "Rendering x", "Merging"}));
  writeFile("renderJob0.log", std::string("\0\x01\xfe\r\n", 5));  // binary content, no crash
  tick();
  EXPECT_EQ(c("progresslist").listCount(), 3);  // entries are replaced, never removed
}

TEST_F(Monitor, CurrentTaskComesFromTheFirstLineOfTheProgressFile) {
  EXPECT_EQ(monitor::currentTaskCaption("missing.log"), "");
  writeFile("p.log", " 57.25 \r\n99\r\n");
  EXPECT_EQ(monitor::currentTaskCaption("p.log"), "(Current task: 57%)");
  writeFile("p.log", "100");
  EXPECT_EQ(monitor::currentTaskCaption("p.log"), "(Current task: 100%)");
  writeFile("p.log", "");
  EXPECT_EQ(monitor::currentTaskCaption("p.log"), "");
  writeFile("big.log", "42.7\r\n" + std::string(4 << 20, 'x'));
  EXPECT_EQ(monitor::currentTaskCaption("big.log"), "(Current task: 42%)");
  writeFile("huge.log", " 12.5" + std::string(8 << 20, ' '));  // one line of megabytes
  EXPECT_EQ(monitor::currentTaskCaption("huge.log"), "(Current task: 12%)");
}

TEST_F(Monitor, TheEndOfTheJobReturnsToTheMainWindow) {
  start(1, 7);
  w.svc.clock.set("14:05:31");
  tick();
  sg::files::removeFile("renderJob1.log");
  tick();
  EXPECT_EQ(c("lbltask").caption(), "Task 7 of 7 completed at 14:05:31");
  EXPECT_EQ(c("lblpercentage").caption(), "100%");
  EXPECT_FALSE(c("Timer1").timerEnabled());
  EXPECT_FALSE(f4->visible());
  EXPECT_TRUE(w.form1->visible());
  EXPECT_TRUE(w.svc.dialogs.messages().empty());
}

TEST_F(Monitor, DoNotCloseBringsBackTheHiddenMonitorAndKeepsTheMainWindowHidden) {
  start(2, 2);
  c("checkdontclose").setValue(1);
  c("Command1").userClick();  // hide until finished
  EXPECT_FALSE(f4->visible());
  EXPECT_FALSE(w.form1->visible());
  sg::files::removeFile("renderJob2.log");
  tick();
  EXPECT_TRUE(f4->visible());
  EXPECT_FALSE(w.form1->visible());
  c("Command1").userClick();  // hiding a finished job shows the main window
  EXPECT_TRUE(w.form1->visible());
}

TEST_F(Monitor, ATotalThatIsNotANumberEndsTheJob) {
  start(4, 0);
  writeFile("renderJob4.log", "a\r\nb\r\n");
  tick();
  EXPECT_EQ(c("lbltask").caption(), "Task 0 of 0 completed at 12:00:00");
  EXPECT_TRUE(w.form1->visible());
}

TEST_F(Monitor, ReturnStopsPollingAndClosingUnloads) {
  start(5, 3);
  c("Command2").userClick();
  EXPECT_FALSE(c("Timer1").timerEnabled());
  EXPECT_TRUE(w.form1->visible());
  sg::files::removeFile("renderJob5.log");
  tick();
  EXPECT_EQ(c("lblpercentage").caption(), "");
  w.form1->hide();
  monitor::openProgressMonitor(w.registry, 6, 3);
  w.registry.close(w.registry.get("Form4"));
  EXPECT_FALSE(w.registry.isLoaded("Form4"));
  EXPECT_TRUE(w.form1->visible());
  w.registry.collect();
  monitor::openProgressMonitor(w.registry, 7, 3);  // the next job makes it afresh
  EXPECT_EQ(w.registry.get("Form4").control("renderjob").text(), "7");
}

// A job whose tools failed: at its end the log window adds their failure lines and stays open,
// with the main window still hidden behind it. A job without failures closes as before.
TEST_F(Monitor, AFailedJobSaysWhyAndStaysOpen) {
  start(2, 3);
  writeFile("renderJob2.log", "Started\r\nRendering renderJob2layer0.png (Hilltop_normal_north.png)\r\n");
  writeFile("renderJob2output.log",
            "renderer: drawing nothing\r\nFailed: render of Hilltop: nothing drawn of world 'x': there is no such "
            "folder\r\nFailed: post processing of a.png: cannot read input renderJob2layer0.png: missing\r\n");
  tick();
  std::remove("renderJob2.log");
  tick();
  EXPECT_FALSE(c("Timer1").timerEnabled());
  EXPECT_TRUE(f4->visible());
  EXPECT_FALSE(w.form1->visible());
  auto items = c("progresslist").items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[2], "Failed: render of Hilltop: nothing drawn of world 'x': there is no such folder");
  // The job's own layer image is named with the player's image it was drawn for.
  EXPECT_EQ(items[3], "Failed: post processing of a.png: cannot read input renderJob2layer0.png "
                      "(Hilltop_normal_north.png): missing");
  EXPECT_EQ(c("lblpercentage").caption(), "100%");

  start(5, 1);
  writeFile("renderJob5output.log", "renderer: 2 damaged chunks were skipped\r\n");
  std::remove("renderJob5.log");
  tick();
  EXPECT_FALSE(f4->visible());
  EXPECT_TRUE(w.form1->visible());
}

// The output log also keeps all the tools printed: only its failure lines are taken, at most
// fifty of them, each at most 4096 characters.
TEST(JobFailures, OnlyFailureLinesAreTakenAndThoseBounded) {
  std::string log;
  for (int i = 0; i < 200; ++i) log += "renderer: chunk " + std::to_string(i) + "\r\nFailed: step " + std::to_string(i) + ": why\r\n";
  log += "Failed: long: " + std::string(10000, 'x') + "\r\n";
  writeFile("renderJob1output.log", log);
  auto failures = monitor::jobFailures("renderJob1output.log");
  ASSERT_EQ(failures.size(), 50u);
  EXPECT_EQ(failures[0], "Failed: step 0: why");
  EXPECT_EQ(failures[49], "Failed: step 49: why");
  writeFile("renderJob2output.log", "Failed: long: " + std::string(10000, 'x') + "\n");
  failures = monitor::jobFailures("renderJob2output.log");
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].size(), 4096u);
  EXPECT_TRUE(monitor::jobFailures("renderJob3output.log").empty());
}

TEST_F(Monitor, TheBarMovesWithTheCurrentTaskWhileTheLabelsCountFinishedTasks) {
  start(5, 2);
  writeFile("renderJob5.log", "Started\r\nRendering big.png\r\n");
  writeFile("renderJob5progress.log", "68\r\n");
  tick();
  EXPECT_EQ(c("lbltask").caption(), "Task 1 of 2 ");
  EXPECT_EQ(c("lblpercentagetask").caption(), "(Current task: 68%)");
  EXPECT_EQ(c("lblpercentage").caption(), "0%");
  EXPECT_EQ(c("progressbar").value(), 34);  // half of the job is the first task, 68% done
  writeFile("renderJob5.log", "Started\r\nRendering big.png\r\nPost Processing big.png\r\n");
  writeFile("renderJob5progress.log", "0\r\n");
  tick();
  EXPECT_EQ(c("lblpercentage").caption(), "50%");
  EXPECT_EQ(c("progressbar").value(), 50);
  writeFile("renderJob5progress.log", "garbage");  // no number: the finished tasks alone
  tick();
  EXPECT_EQ(c("progressbar").value(), 50);
  EXPECT_EQ(monitor::jobPercent(0, "2", 80.0), 0);  // an empty log has finished nothing
  EXPECT_EQ(monitor::jobPercent(9, "2", 100.0), 100);
  EXPECT_EQ(monitor::jobPercent(3, "none", 50.0), 0);
}

TEST_F(Monitor, TheTimeLeftIsToldOnceTheBarHasMovedForAFewSeconds) {
  start(6, 1);
  writeFile("renderJob6.log", "Started\r\nRendering big.png\r\n");
  auto at = [&](const char* time, const char* percent) {
    w.svc.clock.set(time);
    writeFile("renderJob6progress.log", std::string(percent) + "\r\n");
    tick();
    return c("progressbar").caption();
  };
  EXPECT_EQ(at("23:59:50", "0"), "");
  EXPECT_EQ(at("23:59:51", "0"), "");   // not moving yet
  EXPECT_EQ(at("23:59:52", "40"), "");  // a first jump says nothing of the rate
  EXPECT_EQ(at("23:59:55", "41"), "");  // moving, but for too short a time to tell
  // 10% in 10 seconds since it moved (over midnight): 50% take about 50 seconds.
  EXPECT_EQ(at("00:00:02", "50"), "About 50 seconds left");
  EXPECT_EQ(at("00:01:02", "60"), "About 2 minutes left");  // 20% in 70 seconds, 40% to go
  std::remove("renderJob6.log");
  tick();  // the log is gone: the job has ended
  EXPECT_EQ(c("progressbar").value(), 100);
  EXPECT_EQ(c("progressbar").caption(), "");
  EXPECT_EQ(monitor::timeLeftText(3), "About 5 seconds left");
  EXPECT_EQ(monitor::timeLeftText(80), "About a minute left");
  EXPECT_EQ(monitor::timeLeftText(3 * 3600 + 100), "About 3 hours left");
}

TEST_F(Monitor, ANewJobStartsItsEstimateAfresh) {
  start(7, 1);
  writeFile("renderJob7.log", "Started\r\nRendering a.png\r\n");
  for (auto [time, percent] : {std::pair("10:00:00", "0"), std::pair("10:00:01", "10"), std::pair("10:00:11", "20")}) {
    w.svc.clock.set(time);
    writeFile("renderJob7progress.log", percent);
    tick();
  }
  EXPECT_NE(c("progressbar").caption(), "");
  f4->resetme();
  EXPECT_EQ(c("progressbar").caption(), "");
  EXPECT_EQ(c("progressbar").tag(), "");
  EXPECT_EQ(c("progressbar").value(), 0);
}

// A job whose renderer writes its progress in steps, and a task that jumps from 10% to the end:
// the time left goes down with the clock, a step or a jump moves it over a few ticks, and it
// never stands still for long while the job goes on.
TEST_F(Monitor, TheTimeLeftGoesDownSteadilyWhateverStepsTheProgressTakes) {
  start(8, 1);
  writeFile("renderJob8.log", "Started\r\nRendering big.png\r\n");
  std::vector<double> said;
  std::vector<std::string> captions;
  auto secondsIn = [](const std::string& caption) {
    if (caption.find("minute") != std::string::npos) return 60.0 * std::max(1, std::atoi(caption.c_str() + 6));
    return static_cast<double>(std::atoi(caption.c_str() + 6));
  };
  // 40 seconds: the progress file moves every 4 seconds by 10%, and from 10% to 100% at the end.
  for (int t = 0; t < 40; ++t) {
    const int percent = t < 36 ? (t / 4) * 10 : 100;
    char time[16];
    std::snprintf(time, sizeof time, "10:00:%02d", t);
    w.svc.clock.set(time);
    writeFile("renderJob8progress.log", std::to_string(percent) + "\r\n");
    tick();
    const std::string caption = c("progressbar").caption();
    if (caption.empty()) continue;
    captions.push_back(caption);
    said.push_back(secondsIn(caption));
  }
  ASSERT_GT(said.size(), 20u);
  int standing = 0, longest = 0;
  for (size_t i = 1; i < said.size(); ++i) {
    EXPECT_LE(said[i], said[i - 1] + 5) << "tick " << i << ": " << captions[i - 1] << " then " << captions[i];
    standing = said[i] == said[i - 1] ? standing + 1 : 0;
    longest = std::max(longest, standing);
  }
  EXPECT_LE(longest, 6) << "the time left stood still for " << longest << " ticks";
}

TEST_F(Monitor, StopJobEndsTheJobClearsWhatItLeftAndFinishesSayingStopped) {
  // A job of two renders and a merge, stopped during the second render: the renderer's
  // temporary beside the layer it was writing, the first layer with its facts, the job log and
  // the progress file are left.
  writeFile("renderJob4.bat",
            "echo Rendering renderJob4layer0.png (m.png) >> renderJob4.log\r\n"
            "strandvale_g_renderer.exe folder \"W\" normal north zoomablemap progress renderJob4progress.log "
            "outfile renderJob4layer0.png\r\n"
            "strandvale_g_renderer.exe folder \"W\" isometric north progress renderJob4progress.log "
            "outfile renderJob4layer1.png\r\n"
            "strandvale_g_post_processor.exe merge 2 renderJob4layer0.png renderJob4layer1.png delete "
            "output \"my map.png\"\r\n");
  EXPECT_EQ(monitor::jobImages(sg::files::readAll("renderJob4.bat").value_or("")),
            (std::vector<std::string>{"renderJob4layer0.png", "renderJob4layer1.png", "renderJob4layer0.png",
                                      "renderJob4layer1.png", "my map.png"}));
  start(4, 3);
  writeFile("renderJob4.log", "Starting at 12:00:00\r\nRendering renderJob4layer0.png (m.png)\r\n"
                              "Rendering renderJob4layer1.png (m.png)\r\n");
  writeFile("renderJob4progress.log", "40\r\n");
  for (const char* left : {"renderJob4layer0.png", "renderJob4layer0_map.txt", "renderJob4layer1.png.part4242",
                           "my map.png", "my map.png.partial", "other.png.part77"})
    writeFile(left, "x");
  tick();
  EXPECT_TRUE(c("Command3").enabled());
  w.svc.clock.set("14:05:31");
  c("Command3").userClick();
  EXPECT_EQ(w.svc.launcher.stops(), std::vector<std::string>{"renderJob4.bat"});
  for (const char* gone : {"renderJob4layer0.png", "renderJob4layer0_map.txt", "renderJob4layer1.png.part4242",
                           "renderJob4.log", "renderJob4progress.log"})
    EXPECT_FALSE(sg::files::FileExists(gone)) << gone;
  // The player's image, a file that only looks like a temporary, and another image's stay; so
  // does the batch file, as a finished job's does.
  for (const char* kept : {"my map.png", "my map.png.partial", "other.png.part77", "renderJob4.bat"})
    EXPECT_TRUE(sg::files::FileExists(kept)) << kept;
  EXPECT_EQ(c("progresslist").list(c("progresslist").listCount() - 1), "Job stopped at 14:05:31");
  EXPECT_EQ(c("lbltask").caption(), "Task 2 of 3 stopped at 14:05:31");
  EXPECT_FALSE(c("Timer1").timerEnabled());
  EXPECT_FALSE(c("Command3").enabled());
  // It closes as a finished job's window does, and the next job starts afresh.
  EXPECT_FALSE(f4->visible());
  EXPECT_TRUE(w.form1->visible());
  start(5, 1);
  EXPECT_TRUE(c("Command3").enabled());
  EXPECT_EQ(c("progresslist").listCount(), 0);
}
