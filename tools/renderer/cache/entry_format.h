// The layout of a render cache entry's file: a header (magic, format, kind, key, the facts'
// length, the bytes' stored and whole lengths, whether they are deflated, and a checksum), then
// the facts, then the bytes. One checksum covers the header before it and everything after the
// header, so that no length or flag is trusted unchecked.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "renderer/cache/cache_key.h"

namespace sgrender::entry {

constexpr size_t kChecksumAt = 4 + 4 + 8 + 16 + 4 + 8 + 8 + 4;
constexpr size_t kHeaderSize = kChecksumAt + 4;
// The facts are counts and a range: a few dozen bytes.
constexpr uint32_t kLargestFacts = 4096;

struct Header {
  uint32_t factsSize = 0;
  uint64_t stored = 0, whole = 0;
  bool deflated = false;
  uint32_t checksum = 0;
};

// The header's bytes, its checksum left 0 (see finishChecksum).
std::vector<uint8_t> headerBytes(const CacheKey& key, std::string_view kind, const Header& h);
// The header of a file of `fileSize` bytes, when it names this key and kind and its claims add
// up to the file's size and fit `largest` bytes once inflated; nothing else is to be read of a
// file that fails this.
std::optional<Header> readHeader(const uint8_t* bytes, uint64_t fileSize, const CacheKey& key, std::string_view kind,
                                 uint64_t largest);
// The most bytes that deflating `whole` bytes may store.
uint64_t deflatedBound(uint64_t whole);
// A running checksum: start with the header's bytes, go on with what follows the header.
uint32_t checksumStart(const uint8_t* header);
uint32_t checksumMore(uint32_t crc, const uint8_t* data, size_t size);
// Writes the checksum into the header's bytes.
void setChecksum(uint8_t* header, uint32_t crc);

}  // namespace sgrender::entry
