#include "renderer/region_tiles.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "system/tool_system.h"

namespace sgrender {

namespace {

// What invalidates every entry of another renderer: its version, when it was built, and its
// program file (a renderer rebuilt in part keeps this file's time of building).
const std::string& rendererBuild() {
  static const std::string build =
      std::string("strandvale-g renderer 0.1, built " __DATE__ " " __TIME__ ", ") + sgsys::programStamp();
  return build;
}


void addList(KeyMaker& k, const std::optional<std::vector<int>>& list) {
  k.add(list.has_value());
  if (list)
    for (int v : *list) k.add(v);
}

int floorDiv(int v, int d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }

}  // namespace

CacheKey drawingKey(const RenderRequest& r, const MapPlan& plan) {
  KeyMaker k;
  k.add(std::string_view(rendererBuild())).add(canonicalName(plan.chunks.folder)).add(static_cast<int>(plan.chunks.layout));
  k.add(static_cast<int>(r.style)).add(static_cast<int>(r.orientation)).add(static_cast<int>(r.time));
  k.add(r.ignoreWater).add(r.cave).add(r.nether).add(r.dimension.value_or("")).add(r.xray).add(r.wooloscopy);
  k.add(r.forceBrightness).add(r.granularity).add(r.upsideDown).add(r.cake).add(r.noBiomes);
  addList(k, r.onlyLayers);
  addList(k, r.notLayers);
  addList(k, r.onlyBlocks);
  addList(k, r.notBlocks);
  k.add(plan.frame.seaLevel).add(plan.frame.lowestY).add(plan.frame.highestY);
  return k.key();
}

CacheKey imageKey(const CacheKey& drawing, const RenderRequest& r, const MapPlan& plan) {
  KeyMaker k;
  k.add(drawing).add(std::string_view("image"));
  k.add(r.mirror).add(r.autoMirror).add(r.flip).add(r.rotate).add(r.cropWhitespace).add(r.zoom);
  k.add(plan.minX).add(plan.maxX).add(plan.minZ).add(plan.maxZ);
  for (const auto& g : plan.chunks.groups) {
    k.add(g.regionX).add(g.regionZ).add(static_cast<uint64_t>(g.chunks.size()));
    for (const auto& c : g.chunks) k.add(c.x).add(c.z).add(c.saveStamp);
  }
  // A chunk left out unfinished may be finished when the game saves it again.
  for (const auto& c : plan.leftOut) k.add(c.x).add(c.z).add(c.saveStamp);
  return k.key();
}

RegionTiles::RegionTiles(const RenderCache& cache, const MapPlan& plan, const CacheKey& drawing, int mapWidth,
                         int mapHeight)
    : cache_(cache), plan_(plan), mapWidth_(mapWidth), mapHeight_(mapHeight) {
  std::unordered_map<long long, uint64_t> stamps;
  for (const auto& g : plan.chunks.groups)
    for (const auto& c : g.chunks) stamps[placeKey(c.x, c.z)] = c.saveStamp;
  for (const auto& g : plan.chunks.groups) {
    bool known = true;
    KeyMaker k;
    k.add(drawing).add(std::string_view("tile")).add(g.regionX).add(g.regionZ);
    for (const auto& c : g.chunks) {
      known = known && c.saveStamp != 0;
      k.add(c.x).add(c.z).add(c.saveStamp);
    }
    // The ring of chunks around the region, which its border columns blend with.
    const int x0 = g.regionX * 32 - 1, z0 = g.regionZ * 32 - 1;
    for (int z = z0; z <= z0 + 33; ++z)
      for (int x = x0; x <= x0 + 33; ++x) {
        if (z != z0 && z != z0 + 33 && x != x0 && x != x0 + 33) continue;
        auto it = stamps.find(placeKey(x, z));
        k.add(it == stamps.end() ? uint64_t(0) : it->second);
      }
    // Where the tile lies on the map: the part of the region's square that the map's frame
    // cuts out, which moves when the frame does.
    const Rect r = rectOf(g), square = squareOf(g);
    k.add(r.left - square.left).add(r.top - square.top).add(r.width).add(r.height);
    const auto [u, v] = viewRegion(g.regionX, g.regionZ);
    hit_[placeKey(u, v)] = false;
    if (!known || r.width <= 0 || r.height <= 0) continue;  // a chunk whose saving cannot be told is never taken
    const CacheKey key = k.key();
    keys_[&g] = key;
    // Held open from now until it is pasted: what the regions around it were told is what is
    // pasted. Past a few hundred, the files are left for the chunks' own: those tiles are checked
    // now and read again when pasted.
    if (auto held = cache_.hold(key, "tile", tileBytes(r))) {
      std::optional<HeldEntry> keep;
      if (heldOpen_ < kHeldOpenAtMost) keep = std::move(*held), ++heldOpen_;
      held_.emplace(&g, std::move(keep));
      hit_[placeKey(u, v)] = true;
    }
  }
}

uint64_t RegionTiles::tileBytes(const Rect& r) { return uint64_t(r.width) * uint64_t(r.height) * 4; }

std::pair<int, int> RegionTiles::viewRegion(int regionX, int regionZ) const {
  const auto [u, v] = plan_.frame.view.toView(regionX * 512 + 256, regionZ * 512 + 256);
  return {floorDiv(u, 512), floorDiv(v, 512)};
}

RegionTiles::Rect RegionTiles::squareOf(const ChunkGroup& g) const {
  int minU = INT_MAX, maxU = INT_MIN, minV = INT_MAX, maxV = INT_MIN;
  for (int dx : {0, 511})
    for (int dz : {0, 511}) {
      auto [u, v] = plan_.frame.view.toView(g.regionX * 512 + dx, g.regionZ * 512 + dz);
      minU = std::min(minU, u), maxU = std::max(maxU, u), minV = std::min(minV, v), maxV = std::max(maxV, v);
    }
  const auto& e = plan_.frame.extent;
  return {minU - e.minU, minV - e.minV, maxU - minU + 1, maxV - minV + 1};
}

RegionTiles::Rect RegionTiles::rectOf(const ChunkGroup& g) const {
  const Rect square = squareOf(g);
  Rect r;
  r.left = std::max(0, square.left);
  r.top = std::max(0, square.top);
  r.width = std::min(mapWidth_, square.left + square.width) - r.left;
  r.height = std::min(mapHeight_, square.top + square.height) - r.top;
  return r;
}

bool RegionTiles::paste(const ChunkGroup& g, MapCanvas& canvas, RenderSummary& summary) const {
  auto held = held_.find(&g);
  if (held == held_.end()) return false;
  const Rect r = rectOf(g);
  const CacheKey& key = keys_.at(&g);
  auto entry = held->second ? cache_.read(*held->second, key, "tile", tileBytes(r)) : cache_.load(key, "tile", tileBytes(r));
  held_.erase(held);
  if (!entry || entry->bytes.size() != tileBytes(r)) return false;
  RenderSummary counts;
  if (!readSummaryFacts(entry->facts, 0, counts)) return false;
  const uint8_t* p = entry->bytes.data();
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x, p += 4) canvas.set(r.left + x, r.top + y, {p[0], p[1], p[2], p[3]});
  summary.drawn += counts.drawn;
  summary.unfinished += counts.unfinished;
  summary.unknownNames += counts.unknownNames;
  summary.withoutLight += counts.withoutLight;
  ++pasted_;
  return true;
}

std::vector<ChunkPlace> RegionTiles::bordersToShow(const ChunkGroup& g) const {
  const auto [u, v] = viewRegion(g.regionX, g.regionZ);
  bool nearDrawn = false;
  for (auto [du, dv] : {std::pair(0, 1), std::pair(1, 0), std::pair(1, 1)}) {
    auto it = hit_.find(placeKey(u + du, v + dv));
    nearDrawn = nearDrawn || (it != hit_.end() && !it->second);
  }
  if (!nearDrawn) return {};
  // The view's last row and column of chunks of the region.
  auto viewChunk = [&](const ChunkPlace& c) {
    auto [cu, cv] = plan_.frame.view.toView(c.x * 16 + 8, c.z * 16 + 8);
    return std::pair(floorDiv(cu, 16), floorDiv(cv, 16));
  };
  int lastU = INT_MIN, lastV = INT_MIN;
  for (const auto& c : g.chunks) {
    auto [cu, cv] = viewChunk(c);
    lastU = std::max(lastU, cu), lastV = std::max(lastV, cv);
  }
  std::vector<ChunkPlace> border;
  for (const auto& c : g.chunks) {
    auto [cu, cv] = viewChunk(c);
    if (cu == lastU || cv == lastV) border.push_back(c);
  }
  return border;
}

void RegionTiles::keep(const ChunkGroup& g, const MapCanvas& canvas, const RenderSummary& counts) const {
  auto key = keys_.find(&g);
  if (key == keys_.end() || counts.skipped > 0) return;  // damaged chunks are reported afresh each time
  const Rect r = rectOf(g);
  if (r.width <= 0 || r.height <= 0) return;
  CacheEntry entry;
  entry.facts = summaryFacts(counts);
  entry.bytes.resize(size_t(r.width) * size_t(r.height) * 4);
  uint8_t* p = entry.bytes.data();
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x, p += 4) {
      const sgimage::Rgba c = canvas.at(r.left + x, r.top + y);
      p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
    }
  cache_.store(key->second, "tile", entry, true);
}

}  // namespace sgrender
