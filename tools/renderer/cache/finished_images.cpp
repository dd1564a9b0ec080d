#include "renderer/cache/finished_images.h"

#include <cstdio>
#include <filesystem>

#include "renderer/cache/region_tiles.h"
#include "system/atomic_file.h"
#include "system/tool_system.h"

namespace sgrender {

bool takeFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file, RenderSummary& summary) {
  auto entry = cache.load(key, "image");
  RenderSummary counts;
  if (!entry || !readSummaryFacts(entry->facts, 0, counts) || counts.drawn == 0) return false;
  if (!sgsys::writeFileAtomically(file, entry->bytes.data(), entry->bytes.size())) return false;
  summary = counts;
  return true;
}

void keepFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file,
                       const RenderSummary& summary) {
  if (summary.skipped > 0 || summary.drawn == 0) return;
  std::error_code ec;
  const auto size = std::filesystem::file_size(sgsys::pathOf(file), ec);
  if (ec || size > RenderCache::kDefaultLimit / 8) return;
  CacheEntry entry;
  entry.facts = summaryFacts(summary);
  entry.bytes.resize(static_cast<size_t>(size));
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return;
  const bool read = std::fread(entry.bytes.data(), 1, entry.bytes.size(), f) == entry.bytes.size();
  std::fclose(f);
  if (read) cache.store(key, "image", entry, false);
}

}  // namespace sgrender
