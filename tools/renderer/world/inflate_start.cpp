#include "renderer/world/inflate_start.h"

#include <array>

namespace sgrender {

namespace {

// Bits are taken from the low end of each byte first, as deflate packs them.
class Bits {
 public:
  Bits(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}
  bool take(int n, uint32_t& v) {
    fill();
    if (have_ < n) return false;
    v = static_cast<uint32_t>(bits_ & ((uint64_t(1) << n) - 1));
    drop(n);
    return true;
  }
  // The next 16 bits without taking them (zeros past the data's end), and how many are real.
  uint32_t peek16(int& real) {
    fill();
    real = have_;
    return static_cast<uint32_t>(bits_ & 0xFFFF);
  }
  void drop(int n) {
    bits_ >>= n;
    have_ -= n;
  }
  // Drops the bits left in the current byte, for a stored block.
  void toByte() { drop(have_ % 8); }
  bool byte(uint8_t& b) {
    uint32_t v;
    if (!take(8, v)) return false;
    b = static_cast<uint8_t>(v);
    return true;
  }

 private:
  void fill() {
    while (have_ <= 56 && p_ != end_) {
      bits_ |= uint64_t(*p_++) << have_;
      have_ += 8;
    }
  }
  const uint8_t* p_;
  const uint8_t* end_;
  uint64_t bits_ = 0;
  int have_ = 0;
};

constexpr std::array<uint8_t, 256> kReversed = [] {
  std::array<uint8_t, 256> r{};
  for (int i = 0; i < 256; ++i)
    for (int b = 0; b < 8; ++b)
      if (i & (1 << b)) r[i] |= static_cast<uint8_t>(0x80 >> b);
  return r;
}();

// A canonical code held as, for each length, where its codes end (left-aligned in 16 bits) and
// where its symbols start: a symbol is found by comparing the next 16 bits, reversed, against
// at most 15 limits, which needs no table of codes built.
struct Code {
  std::array<uint32_t, 17> limit{};  // codes of length <= len are below limit[len]
  std::array<uint16_t, 16> first{}, index{};
  std::array<uint16_t, 320> symbol{};
  int shortest = 16;

  // False when the lengths ask for more codes than fit (an incomplete code is let be: a code
  // it lacks fails when met).
  bool build(const uint8_t* lengths, int n) {
    std::array<uint16_t, 16> count{};
    for (int i = 0; i < n; ++i) ++count[lengths[i]];
    int left = 1;
    for (int len = 1; len < 16; ++len) {
      left = left * 2 - count[len];
      if (left < 0) return false;
    }
    uint32_t code = 0;
    uint16_t at = 0;
    shortest = 16;
    for (int len = 1; len < 16; ++len) {
      if (count[len] && shortest == 16) shortest = len;
      first[len] = static_cast<uint16_t>(code);
      index[len] = at;
      code += count[len];
      at = static_cast<uint16_t>(at + count[len]);
      limit[len] = code << (16 - len);
      code <<= 1;
    }
    std::array<uint16_t, 16> next = index;
    for (int i = 0; i < n; ++i)
      if (lengths[i]) symbol[next[lengths[i]]++] = static_cast<uint16_t>(i);
    return true;
  }
  // The next symbol; -1 when the data end or hold a code this one lacks.
  int decode(Bits& in) const {
    int real;
    const uint32_t v = in.peek16(real);
    const uint32_t reversed = uint32_t(kReversed[v & 0xFF]) << 8 | kReversed[v >> 8];
    for (int len = shortest; len < 16; ++len)
      if (reversed < limit[len]) {
        if (len > real) return -1;
        in.drop(len);
        return symbol[index[len] + (reversed >> (16 - len)) - first[len]];
      }
    return -1;
  }
};

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

enum class Step { More, Done, Damaged };

struct Output {
  uint8_t* out;
  size_t want, given = 0;
  bool full() const { return given == want; }
};

// One block's codes, until the block ends or the output is full.
Step codes(Bits& in, const Code& lengths, const Code& distances, Output& o) {
  while (!o.full()) {
    const int symbol = lengths.decode(in);
    if (symbol < 0) return Step::Damaged;
    if (symbol < 256) {
      o.out[o.given++] = static_cast<uint8_t>(symbol);
      continue;
    }
    if (symbol == 256) return Step::More;
    const int l = symbol - 257;
    uint32_t extra;
    if (l >= 29 || !in.take(kLengthExtra[l], extra)) return Step::Damaged;
    size_t length = kLengthBase[l] + extra;
    const int d = distances.decode(in);
    if (d < 0 || d >= 30 || !in.take(kDistanceExtra[d], extra)) return Step::Damaged;
    const size_t distance = kDistanceBase[d] + extra;
    if (distance > o.given) return Step::Damaged;  // nothing is before the data's start
    for (; length > 0 && !o.full(); --length, ++o.given) o.out[o.given] = o.out[o.given - distance];
  }
  return Step::Done;
}

Step storedBlock(Bits& in, Output& o) {
  in.toByte();
  uint8_t b[4];
  for (uint8_t& x : b)
    if (!in.byte(x)) return Step::Damaged;
  const unsigned length = b[0] | b[1] << 8, check = b[2] | b[3] << 8;
  if ((length ^ 0xFFFF) != check) return Step::Damaged;
  for (unsigned i = 0; i < length && !o.full(); ++i)
    if (!in.byte(o.out[o.given++])) return Step::Damaged;
  return o.full() ? Step::Done : Step::More;
}

Step fixedBlock(Bits& in, Output& o) {
  static const std::array<Code, 2> fixed = [] {
    std::array<uint8_t, 288> l{};
    for (int i = 0; i < 288; ++i) l[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    std::array<uint8_t, 30> d;
    d.fill(5);
    std::array<Code, 2> c;
    c[0].build(l.data(), 288);
    c[1].build(d.data(), 30);
    return c;
  }();
  return codes(in, fixed[0], fixed[1], o);
}

Step dynamicBlock(Bits& in, Output& o) {
  static constexpr uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  uint32_t literals, distances, lengthCodes;
  if (!in.take(5, literals) || !in.take(5, distances) || !in.take(4, lengthCodes)) return Step::Damaged;
  literals += 257;
  distances += 1;
  lengthCodes += 4;
  // Up to 288 and 32 codes may be sent, though the last two of each never stand for anything.
  std::array<uint8_t, 320> lengths{};
  for (uint32_t i = 0; i < lengthCodes; ++i) {
    uint32_t v;
    if (!in.take(3, v)) return Step::Damaged;
    lengths[kOrder[i]] = static_cast<uint8_t>(v);
  }
  Code code, distance;
  if (!code.build(lengths.data(), 19)) return Step::Damaged;
  const uint32_t total = literals + distances;
  for (uint32_t i = 0; i < total;) {
    const int symbol = code.decode(in);
    if (symbol < 0) return Step::Damaged;
    if (symbol < 16) {
      lengths[i++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint32_t repeat;
    uint8_t value = 0;
    if (symbol == 16) {
      if (i == 0 || !in.take(2, repeat)) return Step::Damaged;
      value = lengths[i - 1];
      repeat += 3;
    } else if (symbol == 17) {
      if (!in.take(3, repeat)) return Step::Damaged;
      repeat += 3;
    } else {
      if (!in.take(7, repeat)) return Step::Damaged;
      repeat += 11;
    }
    if (i + repeat > total) return Step::Damaged;
    while (repeat--) lengths[i++] = value;
  }
  if (lengths[256] == 0) return Step::Damaged;  // no end of block
  if (!code.build(lengths.data(), static_cast<int>(literals)) ||
      !distance.build(lengths.data() + literals, static_cast<int>(distances)))
    return Step::Damaged;
  return codes(in, code, distance, o);
}

// Where the deflate data begin after a zlib or gzip header; 0 when there is none.
size_t headerLength(const uint8_t* d, size_t size) {
  if (size >= 2 && (d[0] & 0x0F) == 8 && (d[0] >> 4) <= 7 && (d[0] << 8 | d[1]) % 31 == 0 && !(d[1] & 0x20))
    return 2;
  if (size < 10 || d[0] != 0x1f || d[1] != 0x8b || d[2] != 8) return 0;
  const uint8_t flags = d[3];
  size_t at = 10;
  if (flags & 4) {  // extra field
    if (size < at + 2) return 0;
    at += 2 + (d[at] | size_t(d[at + 1]) << 8);
  }
  for (uint8_t text : {uint8_t(8), uint8_t(16)})  // file name, comment
    if (flags & text) {
      while (at < size && d[at] != 0) ++at;
      ++at;
    }
  if (flags & 2) at += 2;  // header check
  return at < size ? at : 0;
}

}  // namespace

size_t inflateStart(const uint8_t* data, size_t size, uint8_t* out, size_t want) {
  const size_t header = headerLength(data, size);
  if (header == 0 || want == 0) return 0;
  Bits in(data + header, data + size);
  Output o{out, want};
  while (!o.full()) {
    uint32_t last, type;
    if (!in.take(1, last) || !in.take(2, type)) return 0;
    const Step s = type == 0 ? storedBlock(in, o) : type == 1 ? fixedBlock(in, o) : type == 2 ? dynamicBlock(in, o)
                                                                                              : Step::Damaged;
    if (s == Step::Damaged) return 0;
    if (last) break;
  }
  return o.given;
}

}  // namespace sgrender
