// The levels a chunk's sections span, for sizing the chunk model before the sections are read,
// and the level under which they cannot be seen.
#pragma once
#include <algorithm>
#include <array>
#include <climits>
#include <functional>
#include <vector>

#include "renderer/formats/chunk.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/nbt.h"

namespace sgrender {

// The section's level number (Y), or INT_MIN when it has none.
inline int sectionY(const NbtTag& s) {
  const NbtTag* y = s.find("Y");
  if (!y || (y->type != kByte && y->type != kInt)) return INT_MIN;
  return static_cast<int>(y->number);
}

// Sizes the chunk to the sections that hold blocks (hasBlocks says which), at most 4096 levels.
inline bool sizeToSections(const NbtTag& sections, Chunk& c, const std::function<bool(const NbtTag&)>& hasBlocks,
                           std::string& error) {
  int lo = INT_MAX, hi = INT_MIN;
  for (const NbtTag& s : sections.items) {
    int y = sectionY(s);
    if (s.type != kCompound || y == INT_MIN || !hasBlocks(s)) continue;
    lo = std::min(lo, y);
    hi = std::max(hi, y);
  }
  if (lo > hi) {
    c.reset(0, 0);
    return true;
  }
  if (lo < -128 || hi > 127 || hi - lo >= 256) {
    error = "its sections span levels no world has";
    return false;
  }
  c.reset(lo * 16, (hi - lo + 1) * 16);
  return true;
}

// The level under which nothing of a chunk shows, followed as its sections are decoded from the
// top down (see HiddenBelow): the sections `sections` are put in that order when there is one
// to follow, and each decoded section says whether the ones below it are hidden.
class HiddenLevel {
 public:
  template <typename Section, typename LevelOf>
  HiddenLevel(const HiddenBelow* hidden, std::vector<Section>& sections, LevelOf levelOf) : hidden_(hidden) {
    if (hidden)
      std::stable_sort(sections.begin(), sections.end(),
                       [&](const Section& a, const Section& b) { return levelOf(a) > levelOf(b); });
  }
  // Whether the section of that level number lies under the hidden level.
  bool hides(int sectionY) const { return sectionY < below_; }
  // After a section is decoded into the chunk.
  void decoded(const Chunk& c, int sectionY) {
    if (hidden_ && below_ == INT_MIN && hidden_->hides(c, sectionY * 16, sectionY * 16 + 15, covered_)) below_ = sectionY;
  }

 private:
  const HiddenBelow* hidden_;
  std::array<uint8_t, 256> covered_{};
  int below_ = INT_MIN;  // the sections under this one are hidden
};

inline uint8_t nibble(const std::vector<uint8_t>& a, size_t i) {
  if (i / 2 >= a.size()) return 0;
  uint8_t b = a[i / 2];
  return (i & 1) ? (b >> 4) : (b & 15);
}

}  // namespace sgrender
