// A level of a chunk as bits: one for each of its 256 cells, bit z * 16 + x, in four words.
// The projected painters find the few cells worth a look (drawn, and not buried in solid
// blocks) a level at a time, 64 cells to a step.
#pragma once
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace sgrender {

using LevelBits = std::array<uint64_t, 4>;

// The level's cells whose bytes (each 0 or 1) are 1.
inline LevelBits packLevel(const uint8_t* cells) {
  LevelBits bits{};
  for (int w = 0; w < 4; ++w)
    for (int b = 0; b < 8; ++b) {
      const uint8_t* eight = cells + w * 64 + b * 8;
      uint64_t packed = 0;
      if constexpr (std::endian::native == std::endian::little) {
        uint64_t v;
        std::memcpy(&v, eight, 8);
        packed = (v * 0x0102040810204080ULL) >> 56;  // byte j's low bit to bit j
      } else {
        for (int j = 0; j < 8; ++j) packed |= uint64_t(eight[j] & 1) << j;
      }
      bits[size_t(w)] |= packed << (b * 8);
    }
  return bits;
}

// Each cell's neighbour at index offset `d` (+1, -1, +16 or -16: the next cell in x or z);
// cells whose neighbour lies outside the level take `outside`.
inline LevelBits neighbours(const LevelBits& l, int d, bool outside) {
  LevelBits n{};
  const int s = d > 0 ? d : -d;
  for (int w = 0; w < 4; ++w) {
    if (d > 0)
      n[size_t(w)] = (l[size_t(w)] >> s) | (w < 3 ? l[size_t(w) + 1] << (64 - s) : 0);
    else
      n[size_t(w)] = (l[size_t(w)] << s) | (w > 0 ? l[size_t(w) - 1] >> (64 - s) : 0);
  }
  // The cells on the level's edge in that direction.
  LevelBits edge{};
  if (s == 1) {
    const uint64_t column = d > 0 ? 0x8000800080008000ULL : 0x0001000100010001ULL;  // x == 15, or x == 0
    edge = {column, column, column, column};
  } else if (d > 0) {
    edge[3] = 0xFFFF000000000000ULL;  // z == 15
  } else {
    edge[0] = 0x000000000000FFFFULL;  // z == 0
  }
  for (int w = 0; w < 4; ++w) n[size_t(w)] = outside ? n[size_t(w)] | edge[size_t(w)] : n[size_t(w)] & ~edge[size_t(w)];
  return n;
}

inline LevelBits operator&(const LevelBits& a, const LevelBits& b) {
  return {a[0] & b[0], a[1] & b[1], a[2] & b[2], a[3] & b[3]};
}
inline LevelBits operator~(const LevelBits& a) { return {~a[0], ~a[1], ~a[2], ~a[3]}; }

// Calls f(cell) for each cell set, in increasing order.
template <typename F>
void eachCell(const LevelBits& l, F&& f) {
  for (int w = 0; w < 4; ++w)
    for (uint64_t bits = l[size_t(w)]; bits; bits &= bits - 1) f(w * 64 + std::countr_zero(bits));
}

}  // namespace sgrender
