#include "renderer/cache/cached_strips.h"

namespace sgrender {

namespace {

constexpr std::string_view kKind = "strip";

// A strip is known by its place and its checksums alone: its bytes are whatever they are.
CacheKey keyOf(const sgimage::StripChecks& c) {
  KeyMaker k;
  k.add(std::string_view("png strip")).add(c.width).add(c.first).add(c.last).add(c.ends);
  k.add(static_cast<uint64_t>(c.bytes)).add(static_cast<uint64_t>(c.primedBytes));
  k.add(static_cast<uint64_t>(c.crc) << 32 | c.adler).add(static_cast<uint64_t>(c.primedCrc) << 32 | c.primedAdler);
  return k.key();
}

}  // namespace

bool CachedStrips::find(const sgimage::StripChecks& checks, std::vector<uint8_t>& deflated) const {
  // A strip's deflated bytes: its rows with room for deflate's block headers, which store
  // rows that do not shrink as they are.
  const uint64_t largest = uint64_t(checks.bytes) + checks.bytes / 8 + 4096;
  std::optional<CacheEntry> entry = cache_.load(keyOf(checks), kKind, largest);
  if (!entry || entry->bytes.empty()) return false;
  deflated = std::move(entry->bytes);
  return true;
}

void CachedStrips::keep(const sgimage::StripChecks& checks, const std::vector<uint8_t>& deflated) const {
  cache_.store(keyOf(checks), kKind, CacheEntry{{}, deflated}, false);
}

}  // namespace sgrender
