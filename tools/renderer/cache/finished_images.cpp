#include "renderer/cache/finished_images.h"

#include <cstdio>
#include <filesystem>

#include "renderer/cache/region_tiles.h"
#include "system/atomic_file.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

// The range follows the summary's counts in the entry's facts.
constexpr size_t kRangeAt = 32;
// The largest image file kept: an eighth of the cache.
constexpr uint64_t kLargestImage = RenderCache::kDefaultLimit / 8;

}  // namespace

bool takeFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file, RenderSummary& summary,
                       ChunkRectangle& drawn) {
  auto entry = cache.load(key, "image", kLargestImage);
  RenderSummary counts;
  if (!entry || !readSummaryFacts(entry->facts, 0, counts) || counts.drawn == 0 || entry->facts.size() != kRangeAt + 16)
    return false;
  int range[4];
  for (int k = 0; k < 4; ++k) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(entry->facts[kRangeAt + static_cast<size_t>(k * 4 + i)]) << (8 * i);
    range[k] = static_cast<int>(v);
  }
  drawn = {range[0], range[1], range[2], range[3], false};
  if (!sgsys::writeFileAtomically(file, entry->bytes.data(), entry->bytes.size())) return false;
  summary = counts;
  return true;
}

void keepFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file,
                       const RenderSummary& summary, const ChunkRectangle& drawn) {
  if (summary.skipped > 0 || summary.drawn == 0) return;
  std::error_code ec;
  const auto size = std::filesystem::file_size(sgsys::pathOf(file), ec);
  if (ec || size > kLargestImage) return;
  CacheEntry entry;
  entry.facts = summaryFacts(summary);
  for (int v : {drawn.minX, drawn.maxX, drawn.minZ, drawn.maxZ})
    for (int i = 0; i < 4; ++i) entry.facts.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  entry.bytes.resize(static_cast<size_t>(size));
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return;
  const bool read = std::fread(entry.bytes.data(), 1, entry.bytes.size(), f) == entry.bytes.size();
  std::fclose(f);
  if (read) cache.store(key, "image", entry, false);
}

}  // namespace sgrender
