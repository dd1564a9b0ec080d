#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/text.h"

namespace fs = std::filesystem;

namespace sg::files {

char separator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

#ifdef _WIN32
bool FileExists(const std::string& name) {
  DWORD attr = GetFileAttributesA(name.c_str());
  if (attr == INVALID_FILE_ATTRIBUTES) {
    DWORD err = GetLastError();
    return !(err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME);
  }
  return !(attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}
#else
namespace {
// Result of looking a name up: found as a normal file, found as something else, not found,
// or the lookup itself failed.
enum class Lookup { File, Other, Missing, Failed };

Lookup statName(const std::string& name) {
  struct stat st {};
  if (::stat(name.c_str(), &st) == 0) return S_ISREG(st.st_mode) ? Lookup::File : Lookup::Other;
  if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) return Lookup::Missing;
  return Lookup::Failed;
}

// A name that starts with a dot is hidden on this platform.
bool hiddenName(const std::string& leaf) { return !leaf.empty() && leaf[0] == '.'; }
}  // namespace

bool FileExists(const std::string& rawName) {
  if (rawName.empty()) return false;
  std::string name = rawName;
  std::replace(name.begin(), name.end(), '\\', '/');
  std::string leaf = lastComponent(name);
  Lookup exact = statName(name);
  if (exact == Lookup::File) return !hiddenName(leaf);
  if (exact == Lookup::Failed) return true;
  if (exact == Lookup::Other) return false;
  // Not found as spelt: look for the same name in another letter case in its folder.
  std::string dir = name.size() > leaf.size() ? name.substr(0, name.size() - leaf.size()) : ".";
  if (leaf.empty()) return false;
  struct stat dst {};
  if (::stat(dir.c_str(), &dst) != 0) {
    return !(errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG);
  }
  if (!S_ISDIR(dst.st_mode)) return false;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return true;
  bool found = false;
  while (dirent* e = ::readdir(d)) {
    if (text::equalsNoCase(e->d_name, leaf)) {
      std::string full = (dir.back() == '/' ? dir : dir + "/") + e->d_name;
      Lookup l = statName(full);
      if (l == Lookup::File && !hiddenName(e->d_name)) { found = true; break; }
      if (l == Lookup::Failed) { found = true; break; }
    }
  }
  ::closedir(d);
  return found;
}
#endif

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::path(path), ec);
}

namespace {
// The entries of a folder with their names, in name order.
std::optional<std::vector<std::pair<std::string, fs::directory_entry>>> listFolder(const std::string& folder) {
  std::error_code ec;
  std::string f = folder.empty() ? "." : folder;
  fs::directory_iterator it(fs::path(f), fs::directory_options::skip_permission_denied, ec);
  if (ec) return std::nullopt;
  std::vector<std::pair<std::string, fs::directory_entry>> out;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return std::nullopt;
    out.emplace_back(it->path().filename().string(), *it);
  }
  // Names are taken once: comparing paths would build each name again at every comparison.
  std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return out;
}
}  // namespace

std::optional<std::vector<std::string>> subfolders(const std::string& folder) {
  auto entries = listFolder(folder);
  if (!entries) return std::nullopt;
  std::vector<std::string> out;
  std::string base = folder;
  if (!base.empty() && base.back() != '/' && base.back() != '\\') base += separator();
  out.reserve(entries->size());
  for (const auto& [name, e] : *entries) {
    std::error_code ec;
    if (e.is_directory(ec)) out.push_back(base + name);
  }
  return out;
}

std::optional<std::vector<std::string>> filesOf(const std::string& folder) {
  auto entries = listFolder(folder);
  if (!entries) return std::nullopt;
  std::vector<std::string> out;
  for (const auto& [name, e] : *entries) {
    std::error_code ec;
    if (e.is_regular_file(ec)) out.push_back(name);
  }
  return out;
}

namespace {
std::vector<std::string> splitLines(const std::string& content) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < content.size()) lines.emplace_back(text::nextLine(content, pos));
  return lines;
}
}  // namespace

std::optional<std::string> readAll(const std::string& name, size_t maxBytes) {
  std::error_code ec;
  if (fs::is_directory(fs::path(name), ec)) return std::nullopt;
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::nullopt;
  // Read at most one byte past the limit: enough to know the file is too large.
  std::string content;
  char buffer[65536];
  while (in && content.size() <= maxBytes) {
    in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, maxBytes + 1 - content.size())));
    content.append(buffer, static_cast<size_t>(in.gcount()));
  }
  if (in.bad() || content.size() > maxBytes) return std::nullopt;
  return content;
}

std::optional<std::vector<std::string>> readLines(const std::string& name, size_t maxBytes) {
  auto content = readAll(name, maxBytes);
  if (!content) return std::nullopt;
  return splitLines(*content);
}

std::optional<std::string> readFirstLine(const std::string& name, size_t maxBytes) {
  std::error_code ec;
  if (fs::is_directory(fs::path(name), ec)) return std::nullopt;
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::nullopt;
  std::string line;
  bool any = false;
  char c;
  while (in.get(c)) {
    any = true;
    if (c == '\r' || c == '\n' || line.size() >= maxBytes) break;
    line += c;
  }
  if (!any) return std::nullopt;
  return line;
}

bool writeLines(const std::string& name, const std::vector<std::string>& lines) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const auto& l : lines) out << l << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

bool appendLine(const std::string& name, const std::string& line) {
  std::ofstream out(name, std::ios::binary | std::ios::app);
  if (!out) return false;
  out << line << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

bool replaceAtomically(const std::string& name, const std::string& content) {
  std::string tmp = name + ".tmp~";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << content;
    out.flush();
    if (!out) { out.close(); std::remove(tmp.c_str()); return false; }
  }
  std::error_code ec;
  fs::rename(fs::path(tmp), fs::path(name), ec);
  if (ec) { std::remove(tmp.c_str()); return false; }
  return true;
}

bool removeFile(const std::string& name) {
  std::error_code ec;
  return fs::remove(fs::path(name), ec);
}

std::string lastComponent(const std::string& path) {
  auto p = path.find_last_of("\\/");
  if (p == std::string::npos) return path;
  return path.substr(p + 1);
}

}  // namespace sg::files
