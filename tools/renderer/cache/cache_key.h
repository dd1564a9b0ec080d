// The key of a cache entry: 128 bits hashed from everything that decides the entry's content,
// fed in a fixed order. Two independent 64-bit hashes make a chance collision negligible.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sgrender {

struct CacheKey {
  uint64_t high = 0, low = 0;
  bool operator==(const CacheKey&) const = default;
  // 32 hexadecimal digits, the entry's file name.
  std::string name() const;
};

class KeyMaker {
 public:
  KeyMaker& add(std::string_view bytes);
  KeyMaker& add(uint64_t value);
  KeyMaker& add(int64_t value) { return add(static_cast<uint64_t>(value)); }
  KeyMaker& add(int value) { return add(static_cast<uint64_t>(static_cast<int64_t>(value))); }
  KeyMaker& add(bool value) { return add(static_cast<uint64_t>(value)); }
  KeyMaker& add(double value);
  KeyMaker& add(const CacheKey& key) { return add(key.high).add(key.low); }
  CacheKey key() const;

 private:
  void byte(uint8_t b);
  uint64_t a_ = 0xcbf29ce484222325ULL, b_ = 0x84222325cbf29ce4ULL;
  uint64_t count_ = 0;
};

// A folder's whole name (absolute, links resolved), for keys: two worlds at one relative path,
// drawn from two working folders, are two worlds.
std::string canonicalName(const std::filesystem::path& folder);

}  // namespace sgrender
