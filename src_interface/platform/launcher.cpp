#include "platform/launcher.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace sg::platform {

bool RecordingLauncher::start(const std::string& batchFile, bool minimised) {
  records_.push_back({batchFile, minimised});
  if (real_) return real_->start(batchFile, minimised);
  return true;
}

std::string commandProcessorLine(const std::string& batchFile, unsigned ansiCodePage) {
  // With more than two quotes after /c, the command processor drops the first and the last.
  return "cmd.exe /c \"chcp " + std::to_string(ansiCodePage) + " >nul & \"" + batchFile + "\"\"";
}

#ifdef _WIN32
std::string PlatformLauncher::findJobRunner() { return {}; }

bool PlatformLauncher::start(const std::string& batchFile, bool minimised) {
  std::string cmd = commandProcessorLine(batchFile, GetACP());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::string mutableCmd = cmd;
  if (!CreateProcessA(nullptr, mutableCmd.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                      nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}
#else
namespace {
bool executable(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}
}  // namespace

std::string PlatformLauncher::findJobRunner() {
  const char* name = "strandvale-g-runner";
  if (const char* env = std::getenv("SG_JOB_RUNNER"); env && *env) return env;
  std::error_code ec;
  auto cwd = std::filesystem::current_path(ec) / name;
  if (executable(cwd)) return cwd.string();
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    auto beside = self.parent_path() / name;
    if (executable(beside)) return beside.string();
    auto tools = self.parent_path().parent_path() / "tools" / "runner" / name;
    if (executable(tools)) return tools.string();
    auto installed = self.parent_path().parent_path() / "libexec" / "strandvale-g" / name;
    if (executable(installed)) return installed.string();
  }
  if (const char* path = std::getenv("PATH")) {
    std::string p = path;
    size_t start = 0;
    while (start <= p.size()) {
      size_t end = p.find(':', start);
      if (end == std::string::npos) end = p.size();
      auto cand = std::filesystem::path(p.substr(start, end - start)) / name;
      if (executable(cand)) return cand.string();
      start = end + 1;
    }
  }
  return {};
}

bool PlatformLauncher::start(const std::string& batchFile, bool /*minimised*/) {
  std::string runner = findJobRunner();
  if (runner.empty()) return false;
  // Double fork: the job runs on its own, is never waited for, and leaves no zombie.
  pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    int devnull = ::open("/dev/null", O_RDWR);
    if (devnull >= 0) {
      ::dup2(devnull, 0);
      ::dup2(devnull, 1);
      ::dup2(devnull, 2);
      if (devnull > 2) ::close(devnull);
    }
    ::execl(runner.c_str(), runner.c_str(), batchFile.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

}  // namespace sg::platform
