// The map from above, region by region through the render cache. A region's pixels depend on
// its own chunks and, at its borders, on the chunks beside it (biome blending and relief), so a
// region's tile is keyed by the save stamps of both, with every option that changes pixels. A
// region whose tile checks out is pasted instead of drawn; where the region beside it is drawn
// afresh, its border chunks are still shown to the painter, so that the drawn region blends
// with it exactly as in a render without the cache.
#pragma once
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "renderer/cache/render_cache.h"
#include "renderer/image/map_canvas.h"
#include "renderer/map_plan.h"
#include "renderer/render_arguments.h"
#include "renderer/terms/render_summary.h"

namespace sgrender {

// Everything of the request and the world, apart from the chunks, that changes the drawn pixels.
CacheKey drawingKey(const RenderRequest& r, const MapPlan& plan);
// The finished image: the drawing key, the finishing of the image and every chunk drawn.
CacheKey imageKey(const CacheKey& drawing, const RenderRequest& r, const MapPlan& plan);

class RegionTiles {
 public:
  RegionTiles(const RenderCache& cache, const MapPlan& plan, const CacheKey& drawing, int mapWidth, int mapHeight);

  // Pastes the region's tile into the canvas and adds its counts to the summary; false when
  // the region has no tile that checks out.
  bool paste(const ChunkGroup& g, MapCanvas& canvas, RenderSummary& summary) const;
  // The region's chunks the painter must still be shown: those at its borders with regions
  // that are drawn afresh. Empty for a region that is drawn itself.
  std::vector<ChunkPlace> bordersToShow(const ChunkGroup& g) const;
  // Keeps the tile of a region just drawn, with the counts it added to the summary.
  void keep(const ChunkGroup& g, const MapCanvas& canvas, const RenderSummary& counts) const;

  size_t pasted() const { return pasted_; }

 private:
  struct Rect {
    int left = 0, top = 0, width = 0, height = 0;  // in map pixels
  };
  // The region's square of 512 x 512 blocks on the map, and the part of it within the map.
  Rect squareOf(const ChunkGroup& g) const;
  Rect rectOf(const ChunkGroup& g) const;
  static uint64_t tileBytes(const Rect& r);
  std::pair<int, int> viewRegion(int regionX, int regionZ) const;

  const RenderCache& cache_;
  const MapPlan& plan_;
  int mapWidth_, mapHeight_;
  std::unordered_map<const ChunkGroup*, CacheKey> keys_;   // regions that may be kept
  std::unordered_map<long long, bool> hit_;                 // by view region: a tile checks out
  // The tiles that check out, until pasted: held open, the first kHeldOpenAtMost of them.
  static constexpr size_t kHeldOpenAtMost = 256;
  mutable std::unordered_map<const ChunkGroup*, std::optional<HeldEntry>> held_;
  size_t heldOpen_ = 0;
  mutable size_t pasted_ = 0;
};

}  // namespace sgrender
