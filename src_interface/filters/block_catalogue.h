// BlockCatalogue: the fixed table of block ids 0 to 109 with their display names and categories,
// the category views that the block filter dialog lists, and the display text of an entry.
#pragma once
#include <string>
#include <vector>

namespace sg::filters {

class BlockCatalogue {
 public:
  static constexpr int kRows = 110;
  // Filter items 0 ("All blocks") to 8 are fixed; from 9 on they are mod block lists.
  static constexpr int kFixedFilterItems = 9;
  static constexpr int kCategories = 8;

  // "All blocks", then the eight categories in the order of their numbers 1 to 8.
  static const std::vector<std::string>& filterItems();

  // The name of row id (0 to 109); throws std::out_of_range otherwise.
  static const std::string& name(int id);
  // True when row id belongs to category 1 to 8.
  static bool belongsTo(int id, int category);

  // 110 texts, position i for id i: the name when the filter shows row i, else empty.
  // -1 and 0 show every row; 1 to 8 one category; 9 and above (a mod list) none.
  static std::vector<std::string> view(int filterIndex);

  // The id in decimal, one blank, then the entry's text ("14 Gold ore", "15 ").
  static std::string displayText(int id, const std::string& entry);
};

}  // namespace sg::filters
