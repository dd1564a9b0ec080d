// The levels a chunk's sections span, for sizing the chunk model before the sections are read.
#pragma once
#include <algorithm>
#include <climits>
#include <functional>

#include "renderer/formats/chunk.h"
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

inline uint8_t nibble(const std::vector<uint8_t>& a, size_t i) {
  if (i / 2 >= a.size()) return 0;
  uint8_t b = a[i / 2];
  return (i & 1) ? (b >> 4) : (b & 15);
}

}  // namespace sgrender
