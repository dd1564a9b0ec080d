#include "platform/launcher.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
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

bool RecordingLauncher::stop(const std::string& batchFile) {
  stops_.push_back(batchFile);
  if (real_) return real_->stop(batchFile);
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
  // Started held, put in a job object of its own, then let go: whatever it starts joins the job,
  // so that stopping the job ends them all. The job outlives the program (its handle is only
  // closed, never made to end what it holds).
  if (!CreateProcessA(nullptr, mutableCmd.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_SUSPENDED,
                      nullptr, nullptr, &si, &pi))
    return false;
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (job && !AssignProcessToJobObject(job, pi.hProcess)) {
    CloseHandle(job);
    job = nullptr;
  }
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  auto old = jobs_.find(batchFile);
  if (old != jobs_.end() && old->second.handle) CloseHandle(reinterpret_cast<HANDLE>(old->second.handle));
  jobs_[batchFile] = {reinterpret_cast<long long>(job), static_cast<long long>(pi.dwProcessId)};
  return true;
}

bool PlatformLauncher::stop(const std::string& batchFile) {
  auto it = jobs_.find(batchFile);
  if (it == jobs_.end()) return false;
  const Started started = it->second;
  jobs_.erase(it);
  if (HANDLE job = reinterpret_cast<HANDLE>(started.handle)) {
    const bool ended = TerminateJobObject(job, 1) != 0;
    // Until every process of the job is gone, so that its files can be cleared.
    for (int i = 0; ended && i < 250; ++i) {
      JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
      if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr) ||
          info.ActiveProcesses == 0)
        break;
      Sleep(20);
    }
    CloseHandle(job);
    return ended;
  }
  // No job object: the command processor's tree, by its process id.
  std::string command = "taskkill /T /F /PID " + std::to_string(started.process);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

PlatformLauncher::~PlatformLauncher() {
  for (auto& [batch, started] : jobs_)
    if (started.handle) CloseHandle(reinterpret_cast<HANDLE>(started.handle));
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
  return findOnPath(name);
}

std::string findOnPath(const std::string& program) {
  if (const char* path = std::getenv("PATH")) {
    std::string p = path;
    size_t start = 0;
    while (start <= p.size()) {
      size_t end = p.find(':', start);
      if (end == std::string::npos) end = p.size();
      auto cand = std::filesystem::path(p.substr(start, end - start)) / program;
      if (executable(cand)) return cand.string();
      start = end + 1;
    }
  }
  return {};
}

bool PlatformLauncher::start(const std::string& batchFile, bool /*minimised*/) {
  std::string runner = findJobRunner();
  if (runner.empty()) return false;
  // The runner's process group number comes back through a pipe.
  int told[2];
  if (::pipe2(told, O_CLOEXEC) != 0) return false;
  // Double fork: the job runs on its own, is never waited for, and leaves no zombie. The runner
  // leads a process group of its own, which everything it starts joins.
  pid_t pid = ::fork();
  if (pid < 0) {
    ::close(told[0]);
    ::close(told[1]);
    return false;
  }
  if (pid == 0) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild != 0) ::_exit(grandchild < 0 ? 1 : 0);
    ::setpgid(0, 0);
    const pid_t group = ::getpid();
    if (::write(told[1], &group, sizeof group) != sizeof group) ::_exit(127);
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
  ::close(told[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  pid_t group = 0;
  const bool heard = ::read(told[0], &group, sizeof group) == sizeof group;
  ::close(told[0]);
  if (heard && group > 0) jobs_[batchFile] = {group, group};
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool PlatformLauncher::stop(const std::string& batchFile) {
  auto it = jobs_.find(batchFile);
  if (it == jobs_.end()) return false;
  const pid_t group = static_cast<pid_t>(it->second.handle);
  jobs_.erase(it);
  auto gone = [&] { return ::kill(-group, 0) != 0 && errno == ESRCH; };
  if (::kill(-group, SIGTERM) != 0) return gone();
  // Until every process of the group is gone, so that its files can be cleared; what does not
  // end when asked is killed.
  for (int i = 0; i < 100 && !gone(); ++i) ::usleep(20000);
  if (!gone()) ::kill(-group, SIGKILL);
  for (int i = 0; i < 250 && !gone(); ++i) ::usleep(20000);
  return gone();
}

PlatformLauncher::~PlatformLauncher() = default;
#endif

}  // namespace sg::platform
