#include "platform/first_start.h"

#include <filesystem>
#include <optional>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include "platform/files.h"

namespace sg::platform {

namespace {

const char* const kTools[] = {"strandvale_g_renderer.exe", "strandvale_g_post_processor.exe"};

std::string join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return last == '\\' || last == '/' ? folder + name : folder + files::separator() + name;
}

#ifdef _WIN32
// The file's last write, or 0 when it is missing.
unsigned long long writeTime(const std::string& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}
bool sameFolder(const std::string& a, const std::string& b) {
  char fa[MAX_PATH], fb[MAX_PATH];
  return GetFullPathNameA(a.c_str(), MAX_PATH, fa, nullptr) && GetFullPathNameA(b.c_str(), MAX_PATH, fb, nullptr) &&
         lstrcmpiA(fa, fb) == 0;
}
bool copyOver(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE); }
// Runs a program in the working folder without a window and waits for it; its exit status.
int runAndWait(const std::string& program, const std::string& arguments) {
  std::string line = "\"" + program + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                      &pi))
    return -1;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}
#else
unsigned long long writeTime(const std::string& file) {
  std::error_code ec;
  auto t = std::filesystem::last_write_time(file, ec);
  return ec ? 0 : static_cast<unsigned long long>(t.time_since_epoch().count());
}
bool sameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}
bool copyOver(const std::string& from, const std::string& to) {
  std::error_code ec;
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
}
int runAndWait(const std::string& program, const std::string& arguments) {
  // Arguments are given as the command processor takes them: here, split at blanks outside quotes.
  std::vector<std::string> words{program};
  std::string word;
  bool quoted = false, any = false;
  for (char c : arguments) {
    if (c == '"') quoted = !quoted, any = true;
    else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace

void bringRenderToolsIn(const std::string& programFolder) {
  if (programFolder.empty() || sameFolder(programFolder, ".")) return;
  for (const char* tool : kTools) {
    const std::string source = join(programFolder, tool);
    const unsigned long long theirs = writeTime(source);
    if (theirs != 0 && writeTime(tool) < theirs) copyOver(source, tool);
  }
}

bool writeDemoWorldOnFirstStart(const std::string& programFolder, const Environment& environment) {
  if (files::FileExists("settings.dat")) return false;
  // The game's own saves folder, as the settings' first choice finds it.
  const std::optional<std::string> appdata = environment.get("APPDATA");
  if (appdata && !appdata->empty()) {
    const std::string saves = join(join(join(*appdata, ".minecraft"), "saves"), "");
    if (auto worlds = files::subfolders(saves))
      for (const std::string& world : *worlds)
        if (files::FileExists(join(world, "level.dat"))) return false;
  }
  const std::string writer = join(programFolder, "strandvale-g-demo-world.exe");
  if (!files::FileExists(writer)) return false;
  // The save folder is named relative to the working folder, where the program and its jobs
  // run: so the jobs never carry the working folder's own path, whatever characters it holds.
  const std::string saves = join("demo-saves", "");
  if (runAndWait(writer, "\"" + join(saves, "Demo World") + "\"") != 0) return false;
  return files::writeLines("settings.dat", {"CustomSavePath", saves, "SavePathOption", "custom"});
}

std::string programFolder() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  std::string path(buffer, n);
  return path.substr(0, path.find_last_of("\\/"));
#else
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
#endif
}

}  // namespace sg::platform
