// The projected styles through the render cache. A chunk's turn reaches far across such a map
// (a tall chunk covers hundreds of rows), so the map is kept in square tiles of pixels, each
// keyed by every chunk whose turn can reach it and the chunks before them that it takes edges
// and biomes from (their save stamps), by every option that changes pixels and, for a tile on
// the map's own edge, by the map's floor and the lowest ground seen before each chunk. Each region's part of the ground census (the grounds of
// its chunks) is kept too, so that the census of the map, which the keys need, reads only the
// regions that changed. A tile that checks out is pasted; the others are drawn together from
// the chunks that reach them.
#pragma once
#include <optional>
#include <vector>

#include "renderer/cache/render_cache.h"
#include "renderer/chunk_reach.h"
#include "renderer/terms/render_summary.h"
#include "renderer/styles/ground_census.h"

namespace sgrender {

// What a region gave the ground census, and the counts its chunks added to the summary.
struct RegionGround {
  std::vector<GroundEvent> events;
  RenderSummary counts;
};

struct MapTile {
  int left = 0, top = 0, width = 0, height = 0;  // in map pixels
};

class ProjectedTiles {
 public:
  static constexpr int kTileSide = 256;

  // `placement` holds what places the map's pixels: the frame's extent and the map's size, so
  // that a tile is never pasted where the map has moved.
  ProjectedTiles(const RenderCache& cache, const CacheKey& drawing, const CacheKey& placement, int tileSide = kTileSide)
      : cache_(cache), drawing_(drawing), placement_(placement), side_(tileSide) {}

  // The region's part of the census, when it is kept and checks out.
  std::optional<RegionGround> region(const ChunkGroup& g) const;
  // Keeps it, unless the region met damaged chunks (reported afresh each time) or has a chunk
  // whose saving cannot be told.
  void keepRegion(const ChunkGroup& g, const RegionGround& ground) const;

  // The tiles of a map of that size, row by row.
  std::vector<MapTile> tilesOf(int width, int height) const;
  // The tile's key, from the chunks it is drawn from; nullopt when one of them has no save stamp.
  std::optional<CacheKey> tileKey(const MapTile& t, const std::vector<ChunkReach>& reach, const std::vector<int>& from,
                                  const GroundCensus& census) const;
  // The tile's pixels into the image; false when it is not kept or does not check out.
  bool paste(const CacheKey& key, const MapTile& t, sgimage::RgbaImage& image) const;
  void keep(const CacheKey& key, const MapTile& t, const sgimage::RgbaImage& image) const;

 private:
  std::optional<CacheKey> regionKey(const ChunkGroup& g) const;

  const RenderCache& cache_;
  CacheKey drawing_, placement_;
  int side_;
};

}  // namespace sgrender
