#include "renderer/projected_tiles.h"

#include <algorithm>
#include <cstring>

#include "renderer/region_tiles.h"

namespace sgrender {

namespace {

// A region's ground: its 1,024 chunks' few bytes each, and each column's ground at most.
constexpr uint64_t kLargestGround = uint64_t(16) << 20;

}  // namespace

std::optional<CacheKey> ProjectedTiles::regionKey(const ChunkGroup& g) const {
  KeyMaker k;
  k.add(drawing_).add(std::string_view("ground")).add(g.regionX).add(g.regionZ);
  for (const auto& c : g.chunks) {
    if (c.saveStamp == 0) return std::nullopt;
    k.add(c.x).add(c.z).add(c.saveStamp);
  }
  return k.key();
}

std::optional<RegionGround> ProjectedTiles::region(const ChunkGroup& g) const {
  const auto key = regionKey(g);
  if (!key) return std::nullopt;
  auto entry = cache_.load(*key, "ground", kLargestGround);
  RegionGround ground;
  if (!entry || !readSummaryFacts(entry->facts, 0, ground.counts) || !readGroundBytes(entry->bytes, ground.events))
    return std::nullopt;
  return ground;
}

void ProjectedTiles::keepRegion(const ChunkGroup& g, const RegionGround& ground) const {
  const auto key = regionKey(g);
  if (!key || ground.counts.skipped > 0) return;
  cache_.store(*key, "ground", CacheEntry{summaryFacts(ground.counts), groundBytes(ground.events)}, true);
}

std::vector<MapTile> ProjectedTiles::tilesOf(int width, int height) const {
  std::vector<MapTile> tiles;
  for (int top = 0; top < height; top += side_)
    for (int left = 0; left < width; left += side_)
      tiles.push_back({left, top, std::min(side_, width - left), std::min(side_, height - top)});
  return tiles;
}

std::optional<CacheKey> ProjectedTiles::tileKey(const MapTile& t, const std::vector<ChunkReach>& reach,
                                                const std::vector<int>& from, const GroundCensus& census) const {
  KeyMaker k;
  k.add(drawing_).add(placement_).add(std::string_view("projected tile")).add(side_).add(t.left).add(t.top).add(t.width).add(t.height);
  auto place = [&](int i) -> const ChunkPlace& {
    return reach[static_cast<size_t>(i)].group->chunks[reach[static_cast<size_t>(i)].place];
  };
  // The ground of the whole map (its floor, the lowest ground before each chunk) shows only on
  // the map's own edge: where a chunk's near edge meets no chunk with blocks.
  bool onMapEdge = false;
  for (int i : from)
    for (int n : reach[static_cast<size_t>(i)].near)
      onMapEdge = onMapEdge || n < 0 || !census.top.count(groundKey(place(n).x, place(n).z));
  k.add(onMapEdge).add(static_cast<uint64_t>(from.size()));
  if (onMapEdge) k.add(census.floor);
  for (int i : from) {
    const ChunkPlace& c = place(i);
    if (c.saveStamp == 0) return std::nullopt;
    k.add(c.x).add(c.z).add(c.saveStamp);
    if (!onMapEdge) continue;
    auto lowest = census.lowestBefore.find(groundKey(c.x, c.z));
    k.add(lowest == census.lowestBefore.end() ? INT_MIN : lowest->second);
  }
  return k.key();
}

bool ProjectedTiles::paste(const CacheKey& key, const MapTile& t, sgimage::RgbaImage& image) const {
  auto entry = cache_.load(key, "ptile", size_t(t.width) * size_t(t.height) * 4);
  if (!entry || entry->bytes.size() != size_t(t.width) * size_t(t.height) * 4) return false;
  const size_t row = size_t(t.width) * 4, stride = size_t(image.width()) * 4;
  for (int y = 0; y < t.height; ++y)
    std::memcpy(image.data() + stride * size_t(t.top + y) + size_t(t.left) * 4, entry->bytes.data() + row * size_t(y), row);
  return true;
}

void ProjectedTiles::keep(const CacheKey& key, const MapTile& t, const sgimage::RgbaImage& image) const {
  CacheEntry entry;
  entry.bytes.resize(size_t(t.width) * size_t(t.height) * 4);
  const size_t row = size_t(t.width) * 4, stride = size_t(image.width()) * 4;
  for (int y = 0; y < t.height; ++y)
    std::memcpy(entry.bytes.data() + row * size_t(y), image.data() + stride * size_t(t.top + y) + size_t(t.left) * 4, row);
  cache_.store(key, "ptile", entry, true);
}

}  // namespace sgrender
