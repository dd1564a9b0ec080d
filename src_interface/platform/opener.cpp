// Opening a job's result in the system's own programs.
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/launcher.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace sg::platform {

const char* openingName(Opening what) {
  switch (what) {
    case Opening::File: return "image";
    case Opening::Folder: return "folder";
    case Opening::Page: return "map";
  }
  return "?";
}

bool RecordingLauncher::open(const std::string& path, Opening what) {
  opens_.push_back(std::string(openingName(what)) + ' ' + path);
  return true;
}

#ifdef _WIN32
namespace {
std::wstring wide(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}
std::wstring fullPath(const std::wstring& p) {
  const DWORD n = GetFullPathNameW(p.c_str(), 0, nullptr, nullptr);
  if (n == 0) return p;
  std::wstring full(n, L'\0');
  const DWORD got = GetFullPathNameW(p.c_str(), n, full.data(), nullptr);
  full.resize(got);
  return full;
}
}  // namespace

bool PlatformLauncher::open(const std::string& path, Opening what) {
  const std::wstring target = fullPath(wide(path));
  HINSTANCE result;
  if (what == Opening::Folder) {
    const std::wstring args = L"/select,\"" + target + L"\"";
    result = ShellExecuteW(nullptr, L"open", L"explorer.exe", args.c_str(), nullptr, SW_SHOWNORMAL);
  } else {
    result = ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  return reinterpret_cast<INT_PTR>(result) > 32;
}
#else
namespace {

// file:// address of an absolute path, with every byte outside the unreserved set escaped.
std::string fileUri(const std::string& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  return uri;
}

// Runs the arguments detached: never waited for, no zombie left, no output on the app's streams.
bool spawnDetached(const std::vector<std::string>& args) {
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    const int devnull = ::open("/dev/null", O_RDWR);
    if (devnull >= 0) {
      ::dup2(devnull, 0);
      ::dup2(devnull, 1);
      ::dup2(devnull, 2);
    }
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool PlatformLauncher::open(const std::string& path, Opening what) {
  if (findOnPath("xdg-open").empty()) return false;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  if (ec) return false;
  if (what != Opening::Folder) return spawnDetached({"xdg-open", full.string()});
  // The desktop's file manager shows the folder with the file selected; without one, the folder
  // opens as any folder does.
  const std::string folder = full.parent_path().string();
  return spawnDetached({"/bin/sh", "-c",
                        "gdbus call --session --dest org.freedesktop.FileManager1 "
                        "--object-path /org/freedesktop/FileManager1 "
                        "--method org.freedesktop.FileManager1.ShowItems \"['$1']\" '' >/dev/null 2>&1 "
                        "|| exec xdg-open \"$2\"",
                        "sh", fileUri(full.string()), folder});
}
#endif

}  // namespace sg::platform
