#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <thread>

#include "system/tool_system.h"

namespace sgsys {

namespace {

std::wstring wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

}  // namespace

unsigned long processId() { return GetCurrentProcessId(); }

void returnFreedMemory() {}

bool processRunning(unsigned long pid) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (!h) return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to look at
  const bool running = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  CloseHandle(h);
  return running;
}

namespace {

std::FILE* createFile(const std::string& name, DWORD share, DWORD flags) {
  HANDLE h = CreateFileW(pathOf(name).wstring().c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_NEW,
                         flags, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  std::FILE* f = _fdopen(fd, "w+b");
  if (!f) _close(fd);
  return f;
}

}  // namespace

std::FILE* createExclusive(const std::string& name) { return createFile(name, 0, FILE_ATTRIBUTE_NORMAL); }

std::FILE* createUnnamed(const std::string& name) {
  return createFile(name, FILE_SHARE_DELETE, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
}

std::FILE* openRegularFile(const std::string& name, uint64_t& size) {
  HANDLE h = CreateFileW(pathOf(name).wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER length{};
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &length)) {
    CloseHandle(h);
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return nullptr;
  }
  size = static_cast<uint64_t>(length.QuadPart);
  std::FILE* f = _fdopen(fd, "rb");
  if (!f) _close(fd);
  return f;
}

std::string programStamp() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (n == 0 || n >= std::size(path) || !GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return {};
  return std::to_string((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow) + " " +
         std::to_string((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime);
}

long long physicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? static_cast<long long>(status.ullTotalPhys) : 1LL << 33;
}

int usableCores() {
  DWORD_PTR process = 0, system = 0;
  if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process) {
    int n = 0;
    for (; process; process &= process - 1) ++n;
    return n;
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

bool readAt(std::FILE* f, void* out, size_t count, uint64_t offset) {
  HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  if (h == INVALID_HANDLE_VALUE) return false;
  auto* bytes = static_cast<char*>(out);
  while (count > 0) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD piece = static_cast<DWORD>(std::min<size_t>(count, 1u << 30)), got = 0;
    if (!ReadFile(h, bytes, piece, &got, &at) || got == 0) return false;
    bytes += got;
    count -= got;
    offset += got;
  }
  return true;
}

// The C runtime's own table of open streams is the limit that a merge meets first.
void raiseOpenFileLimit() { _setmaxstdio(8192); }

bool syncFile(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
  HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  return h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
}

std::string userCacheFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (!local || !*local) return {};
  return nameOf(std::filesystem::path(local) / L"Strandvale G Cache");
}

std::filesystem::path pathOf(const std::string& name) { return std::filesystem::path(wide(name)); }

std::string nameOf(const std::filesystem::path& path) {
  const std::wstring& w = path.native();
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace sgsys
