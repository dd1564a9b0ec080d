// Starting a job: a batch file in the working folder, in a minimised window, without waiting.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace sg::platform {

// What a player asks to see of a job's result, in the system's own programs.
enum class Opening {
  File,    // the image, in the default viewer
  Folder,  // the folder holding it, with it selected where the file manager allows
  Page,    // a page (the zoomable map's index.html), in the default browser
};
const char* openingName(Opening what);  // "image", "folder", "map"

struct LaunchRecord {
  std::string command;  // the batch file as given
  bool minimised;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the batch file; false when the start itself failed.
  virtual bool start(const std::string& batchFile, bool minimised) = 0;
  // Ends the job started last from that batch file and everything it started (the runner or
  // the command processor, the renderer, the post processor), and waits until they are gone;
  // false when no such job was started here or it could not be ended.
  virtual bool stop(const std::string& batchFile) {
    (void)batchFile;
    return false;
  }
  // Shows a file, its folder or a page in the system's own program without waiting; false when
  // there is no such program or it could not be started.
  virtual bool open(const std::string& path, Opening what) {
    (void)path;
    (void)what;
    return false;
  }
};

// The command line that has the command processor run a batch file of the working folder. The
// command processor reads a batch file in its console's code page, which is the OEM code page
// unless told otherwise, while the batch files are written in the ANSI code page: it switches
// to that page first, so that a map name with an accent reaches the job log and the tools
// whole. (A switch that fails leaves the job to run as before.)
std::string commandProcessorLine(const std::string& batchFile, unsigned ansiCodePage);

// Windows: the command processor, in a job object of its own. Elsewhere: the job runner,
// detached from the app, in a process group of its own. Either holds everything the job starts.
class PlatformLauncher : public Launcher {
 public:
  PlatformLauncher() = default;
  ~PlatformLauncher() override;
  PlatformLauncher(const PlatformLauncher&) = delete;
  PlatformLauncher& operator=(const PlatformLauncher&) = delete;
  bool start(const std::string& batchFile, bool minimised) override;
  bool stop(const std::string& batchFile) override;
  // xdg-open (a folder through the desktop's file manager first, to select the file);
  // ShellExecute on Windows (Explorer with the file selected for a folder).
  bool open(const std::string& path, Opening what) override;
  // Where the job runner is looked for when not on Windows: $SG_JOB_RUNNER, the working
  // folder, the folder of the running program, then PATH.
  static std::string findJobRunner();

 private:
  // The jobs started, by batch file: a job object's handle (0 when the system gave none) and
  // the command processor's process id on Windows; a process group's number elsewhere.
  struct Started {
    long long handle = 0, process = 0;
  };
  std::map<std::string, Started> jobs_;
};

// Where on PATH an executable program of that name is; empty when none is (not on Windows).
std::string findOnPath(const std::string& program);

// Only records what would be started and stopped; optionally passes both on to another
// launcher.
class RecordingLauncher : public Launcher {
 public:
  bool start(const std::string& batchFile, bool minimised) override;
  bool stop(const std::string& batchFile) override;
  // Recorded, never passed on: a test opens no viewer.
  bool open(const std::string& path, Opening what) override;
  const std::vector<LaunchRecord>& records() const { return records_; }
  const std::vector<std::string>& stops() const { return stops_; }
  // "image PATH", "folder PATH", "map PATH".
  const std::vector<std::string>& opens() const { return opens_; }
  void passTo(Launcher* real) { real_ = real; }

 private:
  std::vector<LaunchRecord> records_;
  std::vector<std::string> stops_;
  std::vector<std::string> opens_;
  Launcher* real_ = nullptr;
};

}  // namespace sg::platform
