#include "filters/mod_block_list.h"

#include <cmath>

#include "platform/files.h"
#include "platform/text.h"

namespace sg::filters {

namespace {
constexpr std::string_view kSelectBlock = "SelectBlock ";
constexpr std::string_view kBlockName = "BlockName ";
}  // namespace

bool ModBlockList::isListName(const std::string& fileName) {
  return fileName.size() >= 4 && fileName.compare(fileName.size() - 4, 4, ".sgs") == 0;
}

std::vector<ModBlockName> ModBlockList::parse(const std::vector<std::string>& lines) {
  std::vector<ModBlockName> names;
  int current = -1;
  for (const auto& line : lines) {
    if (text::startsWith(line, kSelectBlock)) {
      const double v = text::numericValue(std::string_view(line).substr(kSelectBlock.size()));
      // A fraction or an id beyond the limit selects nothing, so its names are dropped rather
      // than given to the block selected before it.
      current = (v == std::floor(v) && v >= 0 && v <= kMaxId) ? static_cast<int>(v) : -1;
    } else if (text::startsWith(line, kBlockName)) {
      if (current > 0) names.push_back({current, line.substr(kBlockName.size())});
    }
  }
  return names;
}

std::optional<std::vector<ModBlockName>> ModBlockList::read(const std::string& fileName) {
  auto lines = files::readLines(fileName);
  if (!lines) return std::nullopt;
  return parse(*lines);
}

void ModBlockList::apply(const std::vector<ModBlockName>& names, std::vector<std::string>& entries) {
  for (const auto& n : names) {
    if (static_cast<size_t>(n.id) >= entries.size()) entries.resize(static_cast<size_t>(n.id) + 1);
    entries[static_cast<size_t>(n.id)] = n.name;
  }
}

}  // namespace sg::filters
