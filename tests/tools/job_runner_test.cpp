// The job runner against batch files as the app writes them, and against the escape and
// quoting cases of names holding blanks, & % ^ ( ) and !.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "runner/job_runner.h"
#include "runner/tool_lookup.h"
#include "tool_test_support.h"

using namespace sgtest;

namespace {

struct JobRun {
  std::ostringstream out, report;
  sgrunner::RunResult result;
  explicit JobRun(const std::string& content) {
    sgrunner::JobRunner runner(out, report);
    result = runner.runContent(content, "renderJob0.bat");
  }
};

void installRecorderAs(const std::string& name) { installProgram(SG_ARGUMENT_RECORDER, name); }

}  // namespace

TEST(JobRunner, RunsAWholeJobAsTheAppWritesIt) {
  installRecorderAs("strandvale_g_renderer.exe");
  installRecorderAs("strandvale_g_post_processor.exe");
  spit("renderJob0.log", "");
  spit("renderJob0progress.log", "100\r\n");
  std::string job =
      "@echo Rename this batchfile if you want to use it again\r\n"
      "echo Starting at 14:03:59 >> renderJob0.log\r\n"
      "echo Rendering renderJob0layer0.png (base_normal_north.png) >> renderJob0.log\r\n"
      "strandvale_g_renderer.exe folder \"New World\" name \"base\" normal north automirror "
      "progress renderJob0progress.log outfile renderJob0layer0.png\r\n"
      "echo Post Processing base_normal_north.png >> renderJob0.log\r\n"
      "strandvale_g_post_processor.exe input renderJob0layer0.png delete output "
      "\"base_normal_north.png\"\r\n"
      "\r\n"
      "copy renderJob0.log saved.log\r\n";
  spit("renderJob0.bat", job);
  JobRun run(job);
  EXPECT_EQ(run.out.str(), "Rename this batchfile if you want to use it again\r\n");
  EXPECT_EQ(slurp("renderJob0.log"),
            "Starting at 14:03:59 \r\n"
            "Rendering renderJob0layer0.png (base_normal_north.png) \r\n"
            "Post Processing base_normal_north.png \r\n");
  EXPECT_EQ(slurp("recorded.txt"),
            "strandvale_g_renderer.exe\n[folder]\n[New World]\n[name]\n[base]\n[normal]\n"
            "[north]\n[automirror]\n[progress]\n[renderJob0progress.log]\n[outfile]\n"
            "[renderJob0layer0.png]\n--\n"
            "strandvale_g_post_processor.exe\n[input]\n[renderJob0layer0.png]\n[delete]\n"
            "[output]\n[base_normal_north.png]\n--\n");
  // The copy is another command: reported, never run.
  EXPECT_FALSE(exists("saved.log"));
  EXPECT_EQ(run.result.commandsSkipped, 1);
  EXPECT_NE(run.report.str().find("line 8 skipped: 'copy'"), std::string::npos);
}

TEST(JobRunner, NamesWithSpecialCharactersReachTheToolWhole) {
  installRecorderAs("strandvale_g_post_processor.exe");
  // The quoted name is protected from & ^ ( ) ! and blanks, but not from percent expansion,
  // which is why a percent sign must be doubled.
  std::string line =
      "strandvale_g_post_processor.exe input a.png output \"my & (best)^ map! 100%%.png\"\r\n";
  JobRun run(line);
  EXPECT_EQ(slurp("recorded.txt"),
            "strandvale_g_post_processor.exe\n[input]\n[a.png]\n[output]\n"
            "[my & (best)^ map! 100%.png]\n--\n");
  EXPECT_EQ(run.result.commandsSkipped, 0);
}

TEST(JobRunner, UnquotedAmpersandSplitsAnEchoLineAndTheRestIsNeverRun) {
  installRecorderAs("strandvale_g_renderer.exe");
  JobRun run("echo Post Processing a&strandvale_g_renderer.exe x.png >> job.log\r\n"
          "echo caret^&amp 100% (x) ! >> job.log\r\n");
  // The command processor runs the piece after & as its own command: the tool with its
  // redirection. The runner does the same: the echo writes to the runner's output, the tool
  // sees only x.png and its output goes to the log.
  EXPECT_EQ(run.out.str(), "Post Processing a\r\n");
  EXPECT_EQ(slurp("job.log"), "recorder ran\ncaret&amp 100 (x) ! \r\n");
  EXPECT_EQ(slurp("recorded.txt"), "strandvale_g_renderer.exe\n[x.png]\n--\n");
}

TEST(JobRunner, UnknownCommandsAreReportedAndSkipped) {
  spit("victim.txt", "keep");
  JobRun run("rm victim.txt\r\n"
          "cmd /c del victim.txt\r\n"
          "C:\\tools\\strandvale_g_renderer.exe x\r\n"
          "./strandvale_g_renderer.exe x\r\n"
          "rem a comment\r\n"
          ":label\r\n"
          "echo after\r\n");
  EXPECT_EQ(slurp("victim.txt"), "keep");
  EXPECT_EQ(run.result.commandsSkipped, 4);
  EXPECT_EQ(run.out.str(), "after\r\n");
  EXPECT_NE(run.report.str().find("line 1 skipped: 'rm'"), std::string::npos);
  EXPECT_NE(run.report.str().find("line 4 skipped: './strandvale_g_renderer.exe'"),
            std::string::npos);
}

TEST(JobRunner, MissingToolIsReportedAndTheJobGoesOn) {
  spit("renderJob3.log", "");
  JobRun run("strandvale_g_renderer.exe world 1 outfile x.png\r\n"
          "strandvale_g_renderer.exe x || echo failed >> renderJob3.log\r\n"
          "del renderJob3.log\r\n");
  EXPECT_EQ(run.result.commandsSkipped, 2);
  EXPECT_NE(run.report.str().find("is not in the working folder"), std::string::npos);
  EXPECT_FALSE(exists("renderJob3.log"));
}

TEST(JobRunner, ToolsAreFoundWithoutRegardToCaseAndWithoutExe) {
  installRecorderAs("Strandvale_G_Renderer.EXE");
  installRecorderAs("strandvale_g_post_processor");
  JobRun run("STRANDVALE_G_RENDERER a\r\nstrandvale_g_post_processor.exe b\r\n");
  EXPECT_EQ(slurp("recorded.txt"),
            "Strandvale_G_Renderer.EXE\n[a]\n--\nstrandvale_g_post_processor\n[b]\n--\n");
  // A folder of that name is not a tool.
  std::filesystem::remove("strandvale_g_post_processor");
  std::filesystem::create_directory("strandvale_g_post_processor.exe");
  EXPECT_FALSE(sgrunner::findRenderTool("strandvale_g_post_processor.exe", ".").has_value());
}

TEST(JobRunner, ConditionalsFollowTheToolsExitStatus) {
  installRecorderAs("strandvale_g_renderer.exe");
  JobRun run("strandvale_g_renderer.exe fail && echo yes\r\n"
          "strandvale_g_renderer.exe fail || echo no\r\n"
          "strandvale_g_renderer.exe ok > tool.out && echo fine\r\n");
  EXPECT_EQ(run.out.str(), "no\r\nfine\r\n");
  EXPECT_EQ(slurp("tool.out"), "recorder ran\n");
}

TEST(JobRunner, DelMatchesWildcardsInTheWorkingFolderOnly) {
  for (const char* n : {"renderJob0.bat", "renderJob0.log", "RENDERJOB1layer0.png", "keep.png",
                        "renderJobDelete.bat"})
    spit(n, "x");
  std::filesystem::create_directory("renderJobFolder");
  std::filesystem::create_directory("sub");
  spit("sub/renderJob9.log", "x");
  JobRun run("del ..\\renderJob*\r\ndel sub/renderJob9.log\r\ndel /q renderJob*\r\ndel nothing*.txt\r\n");
  EXPECT_TRUE(exists("keep.png"));
  EXPECT_FALSE(exists("renderJob0.bat"));
  EXPECT_FALSE(exists("RENDERJOB1layer0.png"));
  EXPECT_FALSE(exists("renderJobDelete.bat"));
  EXPECT_TRUE(exists("renderJobFolder"));
  EXPECT_TRUE(exists("sub/renderJob9.log"));
  EXPECT_NE(run.report.str().find("refused"), std::string::npos);
  EXPECT_NE(run.report.str().find("Could Not Find nothing*.txt"), std::string::npos);
  // Quoted names with blanks are one name.
  spit("a b.png", "x");
  JobRun quoted("del \"a b.png\"\r\n");
  EXPECT_FALSE(exists("a b.png"));
}

TEST(JobRunner, PatternsMatchLikeTheCommandProcessor) {
  EXPECT_TRUE(sgrunner::matchesPattern("renderJob12progress.log", "renderJob*"));
  EXPECT_TRUE(sgrunner::matchesPattern("RenderJob1.LOG", "renderjob?.log"));
  EXPECT_FALSE(sgrunner::matchesPattern("renderJob12.log", "renderjob?.log"));
  EXPECT_TRUE(sgrunner::matchesPattern("abcabc", "*abc"));
  EXPECT_TRUE(sgrunner::matchesPattern("a.b.c", "*.c"));
  EXPECT_FALSE(sgrunner::matchesPattern("xrenderJob", "renderJob*"));
  EXPECT_FALSE(sgrunner::isWorkingFolderName(".."));
  EXPECT_FALSE(sgrunner::isWorkingFolderName("C:x"));
}

TEST(JobRunner, EchoTargetsOutsideTheWorkingFolderAreRefused) {
  std::filesystem::create_directory("sub");
  JobRun run("echo x >> sub/job.log\r\necho y > nul\r\necho z >> \"log file.txt\"\r\n");
  EXPECT_FALSE(exists("sub/job.log"));
  EXPECT_EQ(slurp("log file.txt"), "z \r\n");
  EXPECT_NE(run.report.str().find("refused"), std::string::npos);
}

// A name in the working folder may still lead out of it (a link) or never take what is written
// (a pipe): neither is written through, by echo or by a tool's output.
TEST(JobRunner, RedirectionsWriteNoLinkAndNoPipe) {
  const std::filesystem::path outside = std::filesystem::absolute("..") / ("outside-" + std::to_string(::getpid()));
  spit(outside.string(), "keep me");
  std::filesystem::create_symlink(outside, "escape.log");
  ASSERT_EQ(::mkfifo("pipe.log", 0600), 0);
  installRecorderAs("strandvale_g_renderer.exe");
  JobRun run("echo x > escape.log\r\necho y >> escape.log\r\necho z > pipe.log\r\n"
             "strandvale_g_renderer.exe a > escape.log\r\necho done > done.log\r\n");
  EXPECT_EQ(slurp(outside.string()), "keep me");
  EXPECT_EQ(slurp("done.log"), "done \r\n");
  const std::string said = run.report.str();
  EXPECT_NE(said.find("echo to 'escape.log' refused"), std::string::npos) << said;
  EXPECT_NE(said.find("echo to 'pipe.log' refused"), std::string::npos) << said;
  EXPECT_NE(said.find("output to 'escape.log' refused"), std::string::npos) << said;
  std::filesystem::remove(outside);
}

TEST(JobRunner, ReadsTheFileBeforeRunningSoDeletingItDoesNotStopTheJob) {
  spit("renderJobDelete.bat", "del renderJob*\r\necho done > finished.txt\r\n");
  std::ostringstream out, report;
  sgrunner::JobRunner runner(out, report);
  sgrunner::RunResult result;
  ASSERT_TRUE(runner.runFile("renderJobDelete.bat", result));
  EXPECT_FALSE(exists("renderJobDelete.bat"));
  EXPECT_EQ(slurp("finished.txt"), "done \r\n");
  EXPECT_FALSE(runner.runFile("missing.bat", result));
}

// What the tools print goes to the job's output log; a tool that is killed, or that is not in
// the working folder, leaves a failure line there, since it cannot say why itself.
TEST(JobRunner, ToolsPrintIntoTheJobsOutputLogAndStoppedToolsAreFailures) {
  spit("strandvale_g_renderer.exe", "#!/bin/sh\necho drawing \"$1\"\necho a note >&2\n");
  std::filesystem::permissions("strandvale_g_renderer.exe", std::filesystem::perms::owner_all);
  JobRun ok("strandvale_g_renderer.exe first\r\nstrandvale_g_renderer.exe second\r\n");
  EXPECT_EQ(ok.result.lastStatus, 0);
  EXPECT_EQ(slurp("renderJob0output.log"), "drawing first\na note\ndrawing second\na note\n");

  std::filesystem::remove("renderJob0output.log");
  spit("strandvale_g_renderer.exe", "#!/bin/sh\nkill -9 $$\n");
  JobRun killed("strandvale_g_renderer.exe x\r\nstrandvale_g_post_processor.exe y\r\n");
  EXPECT_EQ(slurp("renderJob0output.log"),
            "Failed: line 1: strandvale_g_renderer.exe was stopped by signal 9\r\n"
            "Failed: line 2: strandvale_g_post_processor.exe is not in the working folder\r\n");
}
