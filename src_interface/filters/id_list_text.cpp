#include "filters/id_list_text.h"

namespace sg::filters {

std::optional<std::string> wholeNumberText(std::string_view piece) {
  bool negative = false;
  if (!piece.empty() && (piece[0] == '+' || piece[0] == '-')) {
    negative = piece[0] == '-';
    piece.remove_prefix(1);
  }
  if (piece.empty()) return std::nullopt;
  for (char c : piece)
    if (c < '0' || c > '9') return std::nullopt;
  size_t first = piece.find_first_not_of('0');
  if (first == std::string_view::npos) return std::string("0");
  std::string out = negative ? "-" : "";
  out.append(piece.substr(first));
  return out;
}

std::optional<int> valueWithin(const std::string& wholeText, int lo, int hi) {
  // Anything longer than a sign and ten digits lies beyond the int range.
  if (wholeText.empty() || wholeText.size() > 11) return std::nullopt;
  long long v = std::stoll(wholeText);
  if (v < lo || v > hi) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace sg::filters
