#include "renderer/cache/cache_key.h"

#include <cstring>

#include "system/bit_mix.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

uint64_t mixed(uint64_t x) { return sgsys::finalMix(x); }

}  // namespace

std::string CacheKey::name() const {
  static const char* const kDigits = "0123456789abcdef";
  std::string s(32, '0');
  for (int i = 0; i < 16; ++i) {
    s[static_cast<size_t>(15 - i)] = kDigits[(high >> (4 * i)) & 15];
    s[static_cast<size_t>(31 - i)] = kDigits[(low >> (4 * i)) & 15];
  }
  return s;
}

void KeyMaker::byte(uint8_t v) {
  a_ = (a_ ^ v) * 0x100000001b3ULL;             // FNV-1a
  b_ = (b_ + v + 0x9e3779b97f4a7c15ULL) * 0xbf58476d1ce4e5b9ULL;  // a second, unrelated stream
  b_ ^= b_ >> 31;
  ++count_;
}

KeyMaker& KeyMaker::add(std::string_view bytes) {
  add(static_cast<uint64_t>(bytes.size()));  // "ab"+"c" differs from "a"+"bc"
  for (char c : bytes) byte(static_cast<uint8_t>(c));
  return *this;
}

KeyMaker& KeyMaker::add(uint64_t value) {
  for (int i = 0; i < 8; ++i) byte(static_cast<uint8_t>(value >> (8 * i)));
  return *this;
}

KeyMaker& KeyMaker::add(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return add(bits);
}

CacheKey KeyMaker::key() const { return {mixed(a_ ^ count_), mixed(b_ + count_)}; }

std::string canonicalName(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::path whole = std::filesystem::absolute(folder, ec);
  if (!ec) whole = std::filesystem::weakly_canonical(whole, ec);
  return sgsys::nameOf(ec ? folder : whole);
}

}  // namespace sgrender
