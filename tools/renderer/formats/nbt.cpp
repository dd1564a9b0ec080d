#include "renderer/formats/nbt.h"

#include <bit>
#include <cstring>

namespace sgrender {

const NbtTag* NbtTag::find(std::string_view name) const {
  for (const auto& [n, t] : fields)
    if (n == name) return &t;
  return nullptr;
}

const NbtTag* NbtTag::find(std::string_view name, uint8_t wantedType) const {
  const NbtTag* t = find(name);
  return t && t->type == wantedType ? t : nullptr;
}

namespace {

constexpr int kMaxDepth = 512;

// Numbers in the data are big-endian.
uint32_t bigEndian32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap32(v);
  return v;
}

uint64_t bigEndian64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
  return v;
}
constexpr size_t kMaxTags = size_t(1) << 20;

class Reader {
 public:
  Reader(const uint8_t* d, size_t n, const NbtSkip* skip) : d_(d), n_(n), skip_(skip) {}

  bool bytes(size_t count, const uint8_t*& p) {
    if (n_ - pos_ < count) return fail("data ends early");
    p = d_ + pos_;
    pos_ += count;
    return true;
  }
  template <typename T>
  bool integer(T& out) {
    const uint8_t* p;
    if (!bytes(sizeof(T), p)) return false;
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v = (v << 8) | p[i];
    out = static_cast<T>(v);
    return true;
  }
  bool string(std::string& out) {
    uint16_t len;
    const uint8_t* p;
    if (!integer(len) || !bytes(len, p)) return false;
    out.assign(reinterpret_cast<const char*>(p), len);
    return true;
  }
  bool count(int32_t& c, size_t elementSize) {
    if (!integer(c)) return false;
    if (c < 0) c = 0;
    if (elementSize && static_cast<size_t>(c) > (n_ - pos_) / elementSize)
      return fail("a length runs past the data");
    return true;
  }
  bool payload(uint8_t type, NbtTag& t, int depth) {
    if (depth > kMaxDepth) return fail("tags nested too deeply");
    t.type = type;
    switch (type) {
      case kByte: { int8_t v; if (!integer(v)) return false; t.number = v; return true; }
      case kShort: { int16_t v; if (!integer(v)) return false; t.number = v; return true; }
      case kInt: { int32_t v; if (!integer(v)) return false; t.number = v; return true; }
      case kLong: { int64_t v; if (!integer(v)) return false; t.number = v; return true; }
      case kFloat: {
        uint32_t v; if (!integer(v)) return false;
        float f; std::memcpy(&f, &v, 4); t.real = f; return true;
      }
      case kDouble: {
        uint64_t v; if (!integer(v)) return false;
        double f; std::memcpy(&f, &v, 8); t.real = f; return true;
      }
      case kByteArray: {
        int32_t c; const uint8_t* p;
        if (!count(c, 1) || !bytes(static_cast<size_t>(c), p)) return false;
        t.bytes.assign(p, p + c);
        return true;
      }
      case kString: return string(t.text);
      case kList: {
        uint8_t itemType; int32_t c;
        if (!integer(itemType)) return false;
        if (itemType > kLongArray) return fail("unknown tag type in a list");
        if (!count(c, itemType == kEnd ? 0 : 1)) return false;
        if (itemType == kEnd) return true;
        if (!countTags(static_cast<size_t>(c))) return false;
        t.items.resize(static_cast<size_t>(c));
        for (auto& item : t.items)
          if (!payload(itemType, item, depth + 1)) return false;
        return true;
      }
      case kCompound: {
        while (true) {
          uint8_t fieldType;
          if (!integer(fieldType)) return false;
          if (fieldType == kEnd) return true;
          if (fieldType > kLongArray) return fail("unknown tag type");
          uint16_t len;
          const uint8_t* p;
          if (!integer(len) || !bytes(len, p)) return false;
          const std::string_view name(reinterpret_cast<const char*>(p), len);
          if (skip_ && skip_->count(name)) {
            if (!skipPayload(fieldType, depth + 1)) return false;
            continue;
          }
          if (!countTags(1)) return false;
          if (t.fields.empty()) t.fields.reserve(4);
          t.fields.push_back(NbtField{std::string(name), NbtTag{}});
          if (!payload(fieldType, t.fields.back().tag, depth + 1)) return false;
        }
      }
      case kIntArray: {
        int32_t c;
        const uint8_t* p;
        if (!count(c, 4) || !bytes(static_cast<size_t>(c) * 4, p)) return false;
        t.ints.resize(static_cast<size_t>(c));
        for (size_t i = 0; i < t.ints.size(); ++i) t.ints[i] = static_cast<int32_t>(bigEndian32(p + 4 * i));
        return true;
      }
      case kLongArray: {
        int32_t c;
        const uint8_t* p;
        if (!count(c, 8) || !bytes(static_cast<size_t>(c) * 8, p)) return false;
        t.longs.resize(static_cast<size_t>(c));
        for (size_t i = 0; i < t.longs.size(); ++i) t.longs[i] = static_cast<int64_t>(bigEndian64(p + 8 * i));
        return true;
      }
      default: return fail("unknown tag type");
    }
  }
  // Walks over a payload without keeping it, checking it as payload() would. When it would be
  // kept, the memory it would take is counted.
  bool skipPayload(uint8_t type, int depth, bool kept = false) {
    if (depth > kMaxDepth) return fail("tags nested too deeply");
    const uint8_t* p;
    int32_t c;
    switch (type) {
      case kByte: return bytes(1, p);
      case kShort: return bytes(2, p);
      case kInt: case kFloat: return bytes(4, p);
      case kLong: case kDouble: return bytes(8, p);
      case kByteArray: return count(c, 1) && bytes(static_cast<size_t>(c), p) && keep(kept, size_t(c));
      case kIntArray: return count(c, 4) && bytes(static_cast<size_t>(c) * 4, p) && keep(kept, size_t(c) * 4);
      case kLongArray: return count(c, 8) && bytes(static_cast<size_t>(c) * 8, p) && keep(kept, size_t(c) * 8);
      case kString: {
        uint16_t len;
        return integer(len) && bytes(len, p) && keep(kept, len);
      }
      case kList: {
        uint8_t itemType;
        if (!integer(itemType)) return false;
        if (itemType > kLongArray) return fail("unknown tag type in a list");
        if (!count(c, itemType == kEnd ? 0 : 1)) return false;
        if (itemType == kEnd) return true;
        if (kept && !keep(true, size_t(c) * sizeof(NbtTag))) return false;
        for (int32_t i = 0; i < c; ++i)
          if (!skipPayload(itemType, depth + 1, kept)) return false;
        return true;
      }
      case kCompound:
        while (true) {
          uint8_t fieldType;
          uint16_t len;
          if (!integer(fieldType)) return false;
          if (fieldType == kEnd) return true;
          if (fieldType > kLongArray) return fail("unknown tag type");
          if (!integer(len) || !bytes(len, p)) return false;
          const bool field = kept && !(skip_ && skip_->count(std::string_view(reinterpret_cast<const char*>(p), len)));
          if (field && !keep(true, sizeof(NbtField) + len)) return false;
          if (!skipPayload(fieldType, depth + 1, field)) return false;
        }
      default: return fail("unknown tag type");
    }
  }
  // Each tag costs far more in memory than its smallest form in the data, so a corrupt count
  // could make the reader ask for gigabytes. No chunk holds more than a million tags.
  bool countTags(size_t more) {
    tags_ += more;
    if (tags_ > n_ || tags_ > kMaxTags) return fail("more tags than any chunk holds");
    return keep(true, more * sizeof(NbtTag));
  }
  // Counts memory that parsing would take; no chunk's tags take more than kMaxTagMemory.
  bool keep(bool kept, size_t more) {
    if (!kept) return true;
    memory_ += more;
    if (memory_ > kMaxTagMemory) return fail("its tags would take more memory than any chunk's");
    return true;
  }
  size_t memory() const { return memory_; }
  size_t position() const { return pos_; }
  bool fail(const char* why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  const std::string& error() const { return error_; }

 private:
  const uint8_t* d_;
  size_t n_, pos_ = 0;
  size_t tags_ = 0, memory_ = 0;
  const NbtSkip* skip_;
  std::string error_;
};

}  // namespace

bool measureNbt(const uint8_t* data, size_t size, size_t& bytes, std::string& error, const NbtSkip* skip) {
  Reader r(data, size, skip);
  uint8_t type;
  uint16_t len;
  const uint8_t* p;
  if (!r.integer(type) || type != kCompound || !r.integer(len) || !r.bytes(len, p) ||
      !r.skipPayload(kCompound, 0, true)) {
    error = r.error().empty() ? "the root is not a compound tag" : r.error();
    return false;
  }
  bytes = r.memory() + sizeof(NbtTag);
  return true;
}

bool skipNbtPayload(const uint8_t*& at, const uint8_t* end, uint8_t type) {
  Reader r(at, static_cast<size_t>(end - at), nullptr);
  if (!r.skipPayload(type, 0)) return false;
  at += r.position();
  return true;
}

bool parseNbt(const uint8_t* data, size_t size, NbtTag& root, std::string& error, const NbtSkip* skip) {
  Reader r(data, size, skip);
  uint8_t type;
  std::string name;
  if (!r.integer(type) || type != kCompound || !r.string(name) || !r.payload(kCompound, root, 0)) {
    error = r.error().empty() ? "the root is not a compound tag" : r.error();
    return false;
  }
  return true;
}

}  // namespace sgrender
