// Starting a job: a batch file in the working folder, in a minimised window, without waiting.
#pragma once
#include <string>
#include <vector>

namespace sg::platform {

struct LaunchRecord {
  std::string command;  // the batch file as given
  bool minimised;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the batch file; false when the start itself failed.
  virtual bool start(const std::string& batchFile, bool minimised) = 0;
};

// The command line that has the command processor run a batch file of the working folder. The
// command processor reads a batch file in its console's code page, which is the OEM code page
// unless told otherwise, while the batch files are written in the ANSI code page: it switches
// to that page first, so that a map name with an accent reaches the job log and the tools
// whole. (A switch that fails leaves the job to run as before.)
std::string commandProcessorLine(const std::string& batchFile, unsigned ansiCodePage);

// Windows: the command processor. Elsewhere: the job runner, detached from the app.
class PlatformLauncher : public Launcher {
 public:
  bool start(const std::string& batchFile, bool minimised) override;
  // Where the job runner is looked for when not on Windows: $SG_JOB_RUNNER, the working
  // folder, the folder of the running program, then PATH.
  static std::string findJobRunner();
};

// Only records what would be started; optionally passes the start on to another launcher.
class RecordingLauncher : public Launcher {
 public:
  bool start(const std::string& batchFile, bool minimised) override;
  const std::vector<LaunchRecord>& records() const { return records_; }
  void passTo(Launcher* real) { real_ = real; }

 private:
  std::vector<LaunchRecord> records_;
  Launcher* real_ = nullptr;
};

}  // namespace sg::platform
