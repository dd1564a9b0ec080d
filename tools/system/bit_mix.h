// The last step of a 64-bit hash: mixes every bit of the value into every bit of the result, so
// that the last bytes fed to a hash move all of it.
#pragma once
#include <cstdint>

namespace sgsys {

inline uint64_t finalMix(uint64_t x) {
  x ^= x >> 33;
  x *= 0xff51afd7ed558ccdULL;
  x ^= x >> 33;
  x *= 0xc4ceb9fe1a85ec53ULL;
  x ^= x >> 33;
  return x;
}

}  // namespace sgsys
