#include "renderer/cache/entry_format.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace sgrender::entry {

namespace {

constexpr char kMagic[4] = {'S', 'G', 'R', 'C'};
constexpr uint32_t kFormat = 2;

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void put64(std::vector<uint8_t>& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
uint32_t get32(const uint8_t* p) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}
uint64_t get64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= uint64_t(p[i]) << (8 * i);
  return v;
}

std::string kindField(std::string_view kind) {
  std::string k(kind.substr(0, 8));
  k.resize(8, '\0');
  return k;
}

}  // namespace

std::vector<uint8_t> headerBytes(const CacheKey& key, std::string_view kind, const Header& h) {
  std::vector<uint8_t> out(kMagic, kMagic + 4);
  out.reserve(kHeaderSize);
  put32(out, kFormat);
  const std::string k = kindField(kind);
  out.insert(out.end(), k.begin(), k.end());
  put64(out, key.high);
  put64(out, key.low);
  put32(out, h.factsSize);
  put64(out, h.stored);
  put64(out, h.whole);
  put32(out, h.deflated ? 1 : 0);
  put32(out, 0);
  return out;
}

uint64_t deflatedBound(uint64_t whole) { return whole + whole / 16 + 1024; }

std::optional<Header> readHeader(const uint8_t* b, uint64_t fileSize, const CacheKey& key, std::string_view kind,
                                 uint64_t largest) {
  if (fileSize < kHeaderSize || fileSize > kHeaderSize + kLargestFacts + deflatedBound(largest)) return std::nullopt;
  if (std::memcmp(b, kMagic, 4) != 0 || get32(b + 4) != kFormat) return std::nullopt;
  if (std::memcmp(b + 8, kindField(kind).data(), 8) != 0) return std::nullopt;
  if (get64(b + 16) != key.high || get64(b + 24) != key.low) return std::nullopt;  // a foreign entry
  Header h;
  h.factsSize = get32(b + 32);
  h.stored = get64(b + 36), h.whole = get64(b + 44);
  h.deflated = get32(b + 52) != 0;
  h.checksum = get32(b + kChecksumAt);
  if (h.factsSize > kLargestFacts || h.whole > largest || uint64_t(h.factsSize) + h.stored != fileSize - kHeaderSize)
    return std::nullopt;
  // Deflate makes at most 1032 bytes of each byte it stores: an entry that claims more is forged
  // or damaged, and nothing is set aside for it.
  if (h.deflated ? h.whole > h.stored * 1032 + 1024 || h.stored > deflatedBound(h.whole) : h.whole != h.stored)
    return std::nullopt;
  return h;
}

uint32_t checksumMore(uint32_t crc, const uint8_t* data, size_t size) {
  while (size > 0) {
    const uInt n = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = static_cast<uint32_t>(crc32(crc, data, n));
    data += n;
    size -= n;
  }
  return crc;
}

uint32_t checksumStart(const uint8_t* header) {
  return checksumMore(static_cast<uint32_t>(crc32(0L, Z_NULL, 0)), header, kChecksumAt);
}

void setChecksum(uint8_t* header, uint32_t crc) {
  for (int i = 0; i < 4; ++i) header[kChecksumAt + static_cast<size_t>(i)] = static_cast<uint8_t>(crc >> (8 * i));
}

}  // namespace sgrender::entry
