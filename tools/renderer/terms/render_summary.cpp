#include "renderer/terms/render_summary.h"

#include <algorithm>

namespace sgrender {

void RenderSummary::skip(const std::string& what, std::ostream& errors, int verbosity) {
  if (skipped++ == 0) firstSkip = what;
  if (verbosity >= 3) errors << "renderer: skipped " << what << "\n";
}

void RenderSummary::print(std::ostream& errors, bool lightMatters) const {
  if (lightMatters && withoutLight)
    errors << "renderer: " << withoutLight << (withoutLight == 1 ? " chunk stores" : " chunks store")
           << " no block light; drawn as if unlit\n";
  if (skipped)
    errors << "renderer: " << skipped << (skipped == 1 ? " damaged chunk was" : " damaged chunks were")
           << " skipped; the first: " << firstSkip << "\n";
  if (unfinished)
    errors << "renderer: " << unfinished << (unfinished == 1 ? " chunk" : " chunks")
           << " that the game had not finished generating left out\n";
  if (unknownNames)
    errors << "renderer: " << unknownNames << " palette entries name blocks this renderer does not know; "
           << "they are drawn in a fallback colour\n";
  if (!unknownNameList.empty()) {
    errors << "renderer: the blocks it does not know:";
    for (const auto& n : unknownNameList) errors << ' ' << n;
    errors << "\n";
  }
}

void RenderSummary::unknown(const std::vector<std::string>& names) {
  for (const auto& n : names)
    if (unknownNameList.size() < 20 && std::find(unknownNameList.begin(), unknownNameList.end(), n) == unknownNameList.end())
      unknownNameList.push_back(n);
}

std::vector<uint8_t> summaryFacts(const RenderSummary& s) {
  std::vector<uint8_t> out;
  for (uint64_t v : {uint64_t(s.drawn), uint64_t(s.unfinished), uint64_t(s.unknownNames), uint64_t(s.withoutLight)})
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return out;
}

bool readSummaryFacts(const std::vector<uint8_t>& facts, size_t at, RenderSummary& s) {
  if (facts.size() < at + 32) return false;
  size_t* fields[] = {&s.drawn, &s.unfinished, &s.unknownNames, &s.withoutLight};
  for (size_t f = 0; f < 4; ++f) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= uint64_t(facts[at + f * 8 + static_cast<size_t>(i)]) << (8 * i);
    *fields[f] += static_cast<size_t>(v);
  }
  return true;
}

}  // namespace sgrender
