// The game's binary tag format (big-endian, named tags), read into a tree with every length
// checked against the bytes that are left.
#pragma once
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
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
// Most names in a chunk are told apart from these by their length and first letter alone,
// before any name is hashed.
class NbtSkip {
 public:
  NbtSkip(std::initializer_list<std::string_view> names) {
    for (std::string_view n : names) insert(n);
  }
  void insert(std::string_view name) {
    names_.insert(name);
    shapes_.set(shape(name));
  }
  bool count(std::string_view name) const { return shapes_.test(shape(name)) && names_.count(name); }

 private:
  static size_t shape(std::string_view name) {
    return (name.size() & 63) << 6 | (name.empty() ? 0 : static_cast<unsigned char>(name[0]) & 63);
  }
  std::unordered_set<std::string_view> names_;
  std::bitset<4096> shapes_;
};

// Reads the root tag (a named compound). False with a reason on malformed data.
bool parseNbt(const uint8_t* data, size_t size, NbtTag& root, std::string& error, const NbtSkip* skip = nullptr);

// The memory, in bytes, that parseNbt would take for the tags it keeps, found by walking the data
// without keeping anything; false with a reason on malformed data (as parseNbt would say).
bool measureNbt(const uint8_t* data, size_t size, size_t& bytes, std::string& error, const NbtSkip* skip = nullptr);

// Steps over one payload of the type from `at`, which then points past it; false when the
// payload runs past `end` or is malformed. Nothing is kept.
bool skipNbtPayload(const uint8_t*& at, const uint8_t* end, uint8_t type);

// No chunk's tags take more memory than this; a chunk whose tags would is damaged.
constexpr size_t kMaxTagMemory = size_t(48) << 20;

}  // namespace sgrender
