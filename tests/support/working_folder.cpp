#include "support/working_folder.h"

#include "platform/files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace sg::test {

std::string workingFolder() { return std::filesystem::current_path().string(); }

void writeFile(const std::string& name, const std::string& content) {
  auto p = std::filesystem::path(name);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string crlf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::string native(std::string path) {
  for (char& c : path)
    if (c == '/') c = files::separator();
  return path;
}

}  // namespace sg::test
