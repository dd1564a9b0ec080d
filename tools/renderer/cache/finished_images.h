// Finished images through the render cache: a render of an unchanged world with the same options
// writes the image it wrote before, and reports what that render met.
#pragma once
#include <string>

#include "renderer/cache/render_cache.h"
#include "renderer/terms/map_terms.h"
#include "renderer/terms/render_summary.h"

namespace sgrender {

// Writes the cached image of that key to `file` and fills the summary; false when the cache
// holds no such image that checks out, or it cannot be written (the map is then drawn).
// `drawn` is the range of chunks the map spans, for the offset file.
bool takeFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file, RenderSummary& summary,
                       ChunkRectangle& drawn);
// Keeps the image just written, unless it met damaged chunks (reported afresh each time) or is
// too large for the cache to hold a few of.
void keepFinishedImage(const RenderCache& cache, const CacheKey& key, const std::string& file,
                       const RenderSummary& summary, const ChunkRectangle& drawn);

}  // namespace sgrender
