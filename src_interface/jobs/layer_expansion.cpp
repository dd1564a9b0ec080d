#include "jobs/layer_expansion.h"

#include <array>
#include <cctype>
#include <optional>

#include "platform/text.h"

namespace sg::jobs {

namespace {

// A piece that is one decimal number as a whole: sign, digits, point and fraction; nothing
// else.
std::optional<double> wholeNumber(const std::string& piece) {
  size_t i = 0, n = piece.size();
  if (i < n && (piece[i] == '+' || piece[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(piece[i]))) ++i, ++digits;
  if (i < n && piece[i] == '.') {
    ++i;
    while (i < n && std::isdigit(static_cast<unsigned char>(piece[i]))) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i != n) return std::nullopt;
  return text::numericValue(piece);
}

}  // namespace

std::vector<int> layersToRender(int layerFilterIndex, const std::string& layerFilterText) {
  const bool start = layerFilterIndex != 1;
  std::array<bool, kLayerCount> on;
  on.fill(start);
  for (const auto& piece : text::splitBlanks(layerFilterText)) {
    auto value = wholeNumber(piece);
    if (!value || !(*value > -1 && *value < kLayerCount)) continue;
    // -0.6 and 127.6 lie inside the range but round to no layer.
    long long layer = text::roundHalfEven(*value);
    if (layer >= 0 && layer < kLayerCount) on[static_cast<size_t>(layer)] = !start;
  }
  std::vector<int> layers;
  for (int j = 0; j < kLayerCount; ++j)
    if (on[static_cast<size_t>(j)]) layers.push_back(j);
  return layers;
}

}  // namespace sg::jobs
