#include "system/temporary_files.h"

#include <filesystem>

#include "system/tool_system.h"

namespace sgsys {

void clearStaleTemporaries(const std::string& target, const std::string& kind) {
  const std::filesystem::path path = pathOf(target);
  const std::string prefix = nameOf(path.filename()) + kind;
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
       it.increment(ec)) {
    const std::string name = nameOf(it->path().filename());
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const unsigned long pid = std::stoul(digits);
    if (pid == processId() || processRunning(pid)) continue;
    std::error_code rec;
    std::filesystem::remove(it->path(), rec);
  }
}

namespace {

// The name of this process's temporary, cleared of leftovers: a file of this process's own name
// is a leftover of an earlier process with the same number, or something planted; it goes (a
// link itself, not what it points to), and the file is made new.
std::string freshTemporaryName(const std::string& target, const std::string& kind) {
  clearStaleTemporaries(target, kind);
  std::string name = target + kind + std::to_string(processId());
  std::error_code ec;
  std::filesystem::remove(pathOf(name), ec);
  return name;
}

}  // namespace

std::FILE* createTemporary(const std::string& target, const std::string& kind, std::string& name) {
  name = freshTemporaryName(target, kind);
  return createExclusive(name);
}

std::FILE* createUnnamedTemporary(const std::string& target, const std::string& kind, std::string& name) {
  name = freshTemporaryName(target, kind);
  return createUnnamed(name);
}

}  // namespace sgsys
