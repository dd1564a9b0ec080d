#include "renderer/cache/finished_images.h"

#include <vector>


namespace sgrender {

namespace {

// The range follows the summary's counts in the entry's facts.
constexpr size_t kRangeAt = 32;
// The largest image file kept: an eighth of the cache.
constexpr uint64_t kLargestImage = RenderCache::kDefaultLimit / 8;

}  // namespace

bool takeFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file, RenderSummary& summary,
                       ChunkRectangle& drawn) {
  // The image is copied a block at a time, and replaces the file only once it checks out.
  std::vector<uint8_t> facts;
  if (!cache.takeFile(key, "image", kLargestImage, file, facts)) return false;
  RenderSummary counts;
  if (!readSummaryFacts(facts, 0, counts) || counts.drawn == 0 || facts.size() != kRangeAt + 16) return false;
  int range[4];
  for (int k = 0; k < 4; ++k) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(facts[kRangeAt + static_cast<size_t>(k * 4 + i)]) << (8 * i);
    range[k] = static_cast<int>(v);
  }
  drawn = {range[0], range[1], range[2], range[3], false};
  summary = counts;
  return true;
}

void keepFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file,
                       const RenderSummary& summary, const ChunkRectangle& drawn) {
  if (summary.skipped > 0 || summary.drawn == 0) return;
  std::vector<uint8_t> facts = summaryFacts(summary);
  for (int v : {drawn.minX, drawn.maxX, drawn.minZ, drawn.maxZ})
    for (int i = 0; i < 4; ++i) facts.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  cache.storeFile(key, "image", facts, file, kLargestImage);
}

}  // namespace sgrender
