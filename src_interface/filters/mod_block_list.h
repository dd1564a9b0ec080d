// ModBlockList: a ".sgs" file in the working folder that names further block ids, or renames
// fixed ones, through "SelectBlock <id>" and "BlockName <name>" lines.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace sg::filters {

struct ModBlockName {
  int id;
  std::string name;
};

class ModBlockList {
 public:
  // Ids above this are refused, so that a list cannot make the catalogue list grow without end.
  static constexpr int kMaxId = 65535;

  // True when the file name marks a mod block list (its last four characters are ".sgs").
  static bool isListName(const std::string& fileName);

  // The names of the list in file order, each for the id selected before it; repeated ids
  // appear again (the last one wins when applied). nullopt when the file cannot be opened.
  static std::optional<std::vector<ModBlockName>> read(const std::string& fileName);

  // The names of the lines of a list, as read() finds them in a file.
  static std::vector<ModBlockName> parse(const std::vector<std::string>& lines);

  // Sets entry id of the list to each name, growing the list with empty entries as needed.
  static void apply(const std::vector<ModBlockName>& names, std::vector<std::string>& entries);
};

}  // namespace sg::filters
