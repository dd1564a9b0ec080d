// Runs one batch job the way the Windows command processor would, line by line, in the
// working folder. Only echo, del and the two render tools are carried out; every other
// command is reported and skipped, never run.
#pragma once
#include <ostream>
#include <string>

#include "batch/batch_line.h"

namespace sgrunner {

struct RunResult {
  int commandsRun = 0;      // commands carried out
  int commandsSkipped = 0;  // commands reported and skipped
  int lastStatus = 0;       // the error level after the last command
};

class JobRunner {
 public:
  // output receives what echo writes without redirection; report receives the runner's
  // notes about skipped commands and failures.
  JobRunner(std::ostream& output, std::ostream& report) : out_(output), report_(report) {}

  // Reads the whole batch file first (so that a job that replaces or deletes it goes on with
  // what it started with), then runs it; false when it cannot be read.
  bool runFile(const std::string& batchFile, RunResult& result);
  // Runs the content of a batch file named batchName in the current folder.
  RunResult runContent(const std::string& content, const std::string& batchName);

 private:
  int runCommand(const sgbatch::Command& command, int lineNumber, RunResult& result);
  int runEcho(const sgbatch::Command& command, const sgbatch::CommandWord& word, int lineNumber);
  int runDel(const sgbatch::CommandWord& word, int lineNumber);
  int runTool(const sgbatch::Command& command, const sgbatch::CommandWord& word,
              const std::string& path, int lineNumber);
  void skip(int lineNumber, const std::string& why, RunResult& result);

  std::ostream& out_;
  std::ostream& report_;
  // The job's output log (renderJob<N>output.log), which keeps what the tools print and a
  // failure line for every tool that could not run to its end; empty for other batch files.
  std::string outputLog_;
};

// True when a redirection target or a del pattern names a file of the working folder itself
// (no folder part, no drive, not . or ..).
bool isWorkingFolderName(const std::string& name);

// Matches a file name against a del pattern with * and ?, without regard to case.
bool matchesPattern(const std::string& name, const std::string& pattern);

}  // namespace sgrunner
