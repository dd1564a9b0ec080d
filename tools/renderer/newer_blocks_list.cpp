#include "renderer/newer_blocks_list.h"

#include <cctype>
#include <filesystem>
#include <map>

#include "renderer/blocks/block_names.h"
#include "system/atomic_file.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

// "deepslate_diamond_ore" -> "Deepslate diamond ore"
std::string shownName(const std::string& name) {
  std::string s = name;
  for (char& c : s)
    if (c == '_') c = ' ';
  if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  return s;
}

}  // namespace

std::string newerBlocksListText() {
  std::map<int, std::string> names;  // the first name of each id, at its first data value
  std::map<int, int> dataOf;
  for (size_t i = 0; i < kBlockNameCount; ++i) {
    const BlockName& b = kBlockNames[i];
    if (b.id < 110) continue;
    auto it = dataOf.find(b.id);
    if (it == dataOf.end() || b.data < it->second) {
      dataOf[b.id] = b.data;
      names[b.id] = b.name;
    }
  }
  std::string text;
  for (const auto& [id, name] : names)
    text += "SelectBlock " + std::to_string(id) + "\r\nBlockName " + shownName(name) + "\r\n";
  return text;
}

bool installNewerBlocksList(const std::string& folder) {
  std::filesystem::path file = sgsys::pathOf(folder) / kNewerBlocksList;
  std::error_code ec;
  if (std::filesystem::exists(file, ec)) return true;
  return sgsys::writeFileAtomically(sgsys::nameOf(file), newerBlocksListText());
}

}  // namespace sgrender
