// The game's binary tag format (big-endian, named tags), read into a tree with every length
// checked against the bytes that are left.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace sgrender {

enum NbtType : uint8_t {
  kEnd = 0, kByte, kShort, kInt, kLong, kFloat, kDouble, kByteArray, kString, kList, kCompound,
  kIntArray, kLongArray
};

struct NbtField;

struct NbtTag {
  uint8_t type = kEnd;
  int64_t number = 0;  // Byte, Short, Int, Long
  double real = 0;     // Float, Double
  std::string text;    // String
  std::vector<uint8_t> bytes;
  std::vector<int32_t> ints;
  std::vector<int64_t> longs;
  std::vector<NbtTag> items;  // List
  std::vector<NbtField> fields;  // Compound

  // The field of a compound by name; nullptr when absent.
  const NbtTag* find(std::string_view name) const;
  const NbtTag* find(std::string_view name, uint8_t wantedType) const;
};

// A named field of a compound (a type of its own, so that the tag is complete where it is used).
struct NbtField {
  std::string name;
  NbtTag tag;
};

// Names of compound fields that a reader passes over without keeping (they are still checked).
using NbtSkip = std::unordered_set<std::string_view>;

// Reads the root tag (a named compound). False with a reason on malformed data.
bool parseNbt(const uint8_t* data, size_t size, NbtTag& root, std::string& error, const NbtSkip* skip = nullptr);

// The memory, in bytes, that parseNbt would take for the tags it keeps, found by walking the data
// without keeping anything; false with a reason on malformed data (as parseNbt would say).
bool measureNbt(const uint8_t* data, size_t size, size_t& bytes, std::string& error, const NbtSkip* skip = nullptr);

// No chunk's tags take more memory than this; a chunk whose tags would is damaged.
constexpr size_t kMaxTagMemory = size_t(48) << 20;

}  // namespace sgrender
