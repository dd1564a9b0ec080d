#include "system/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "system/temporary_files.h"
#include "system/tool_system.h"

namespace sgsys {

namespace {

void removeQuietly(const std::string& name) {
  std::error_code ec;
  std::filesystem::remove(pathOf(name), ec);
}

}  // namespace

bool placeTemporary(const std::string& temp, const std::string& target, std::string& error) {
  if (replaceFile(temp, target)) return true;
  error = "cannot put the finished file in place of " + target;
  removeQuietly(temp);
  return false;
}

bool commitTemporary(std::FILE* f, const std::string& temp, const std::string& target, std::string& error) {
  bool ok = syncFile(f);
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    error = "cannot write " + temp + ": " + std::strerror(errno);
    removeQuietly(temp);
    return false;
  }
  return placeTemporary(temp, target, error);
}

bool makeFolderFor(const std::string& file, std::string& error) {
  const std::filesystem::path folder = pathOf(file).parent_path();
  std::error_code ec;
  if (folder.empty() || std::filesystem::is_directory(folder, ec)) return true;
  std::filesystem::create_directories(folder, ec);
  if (!ec && std::filesystem::is_directory(folder, ec)) return true;
  error = "cannot make the folder " + nameOf(folder) + " for " + nameOf(pathOf(file).filename()) + ": " +
          (ec ? ec.message() : std::string("a file of that name is in the way"));
  return false;
}

bool writeFileAtomically(const std::string& file, const std::string& content) {
  return writeFileAtomically(file, content.data(), content.size());
}

bool writeFileAtomically(const std::string& file, const void* data, size_t size) {
  std::string temp;
  std::FILE* f = createTemporary(file, ".part", temp);
  if (!f) return false;
  // Not synced: these are progress and listing files, rewritten often, where a lost write after
  // a crash costs nothing.
  bool ok = std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    removeQuietly(temp);
    return false;
  }
  std::string error;
  return placeTemporary(temp, file, error);
}

}  // namespace sgsys
