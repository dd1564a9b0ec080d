#include <fcntl.h>
#include <sched.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

#include "system/tool_system.h"

namespace sgsys {

unsigned long processId() { return static_cast<unsigned long>(::getpid()); }

bool processRunning(unsigned long pid) {
  return pid != 0 && pid <= 0x7fffffffUL && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::FILE* createExclusive(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return nullptr;
  std::FILE* f = ::fdopen(fd, "w+b");
  if (!f) ::close(fd);
  return f;
}

std::FILE* createUnnamed(const std::string& name) {
  std::FILE* f = createExclusive(name);
  if (f) ::unlink(name.c_str());
  return f;
}

std::FILE* openRegularFile(const std::string& name, uint64_t& size) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  size = static_cast<uint64_t>(st.st_size);
  std::FILE* f = ::fdopen(fd, "rb");
  if (!f) ::close(fd);
  return f;
}

std::string programStamp() {
  struct stat st {};
  if (::stat("/proc/self/exe", &st) != 0) return {};
  return std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
         std::to_string(st.st_mtim.tv_nsec);
}

long long physicalMemory() {
  long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && size > 0 ? static_cast<long long>(pages) * size : 1LL << 33;
}

int usableCores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof(set), &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1u, std::thread::hardware_concurrency());
}

bool readAt(std::FILE* f, void* out, size_t count, uint64_t offset) {
  return pread(fileno(f), out, count, static_cast<off_t>(offset)) == static_cast<ssize_t>(count);
}

void returnFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  mallopt(M_ARENA_MAX, 4);
#endif
}

void raiseOpenFileLimit() {
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
  }
}

bool syncFile(std::FILE* f) { return std::fflush(f) == 0 && ::fsync(fileno(f)) == 0; }

bool replaceFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

std::string userCacheFolder() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/strandvale-g";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::string(home) + "/.cache/strandvale-g";
  return {};
}

std::filesystem::path pathOf(const std::string& name) { return std::filesystem::path(name); }
std::string nameOf(const std::filesystem::path& path) { return path.string(); }

}  // namespace sgsys
