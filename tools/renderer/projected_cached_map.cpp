#include <algorithm>
#include <climits>

#include "renderer/chunk_reach.h"
#include "renderer/map_output.h"
#include "renderer/work_pool.h"

namespace sgrender {

namespace {

struct PixelSpan {
  int top = INT_MAX, left = INT_MAX, bottom = INT_MIN, right = INT_MIN;
  void add(const MapTile& t) {
    top = std::min(top, t.top), left = std::min(left, t.left);
    bottom = std::max(bottom, t.top + t.height - 1), right = std::max(right, t.left + t.width - 1);
  }
};

std::vector<int> chunksOfTile(const std::vector<ChunkReach>& reach, const MapTile& t) {
  return chunksFor(reach, t.top, t.top + t.height - 1, t.left, t.left + t.width - 1);
}

// Draws the tiles not pasted together, from every chunk that reaches one of them.
void drawTiles(const std::vector<ChunkReach>& reach, const std::vector<MapTile>& all, const std::vector<char>& pasted,
               const GroundCensus& census, BandedPainter& painter, const BandDrawing& partDrawing,
               sgimage::RgbaImage& image) {
  std::vector<char> needed(reach.size(), 0);
  PixelSpan span;
  for (size_t t = 0; t < all.size(); ++t) {
    if (pasted[t]) continue;
    for (int i : chunksOfTile(reach, all[t])) needed[static_cast<size_t>(i)] = 1;
    span.add(all[t]);
  }
  if (span.top == INT_MAX) return;
  std::vector<int> picked;
  for (size_t i = 0; i < needed.size(); ++i)
    if (needed[i]) picked.push_back(static_cast<int>(i));
  const std::vector<ChunkGroup> part = groupsOf(reach, picked);
  std::vector<const ChunkGroup*> partGroups;
  for (const auto& g : part) partGroups.push_back(&g);
  MapCanvas canvas(span.right - span.left + 1, span.bottom - span.top + 1, true);
  canvas.setOrigin(span.top, span.left);
  painter.useCensus(census);
  painter.beginBand();
  partDrawing(picked.size(), 33, 99)->draw(partGroups, canvas);
  painter.finish(canvas);
  for (size_t t = 0; t < all.size(); ++t) {
    if (pasted[t]) continue;
    const MapTile& tile = all[t];
    for (int y = tile.top; y < tile.top + tile.height; ++y)
      for (int x = tile.left; x < tile.left + tile.width; ++x) image.set(x, y, canvas.at(x, y));
  }
}

}  // namespace

bool writeProjectedThroughCache(const MapPlan& plan, const MapImage& out, MapDrawing& drawing, BandedPainter& painter,
                                const BandDrawing& partDrawing, const ProjectedTiles& tiles,
                                const AfterDrawing& drawn, int threads, TilesTaken& taken, std::string& error) {
  const std::vector<ChunkGroup>& groups = plan.chunks.groups;
  std::vector<RegionGround> grounds(groups.size());
  std::vector<const ChunkGroup*> toMeet;  // the regions whose chunks are read for the census
  for (size_t i = 0; i < groups.size(); ++i) {
    if (auto kept = tiles.region(groups[i])) {
      grounds[i] = std::move(*kept);
      ++taken.regions;
    } else {
      toMeet.push_back(&groups[i]);
    }
  }
  // What each region met gives the census: its chunks' grounds, and its counts.
  std::vector<GroundEvent> events;
  drawing.afterRegion([&](const ChunkGroup& g, const RenderSummary& added) {
    RegionGround& ground = grounds[static_cast<size_t>(&g - groups.data())];
    ground.events = std::move(events);
    ground.counts = added;
    events.clear();
    tiles.keepRegion(g, ground);
  });
  painter.recordGrounds(&events);

  const bool whole = taken.regions == 0;
  sgimage::RgbaImage image;
  if (whole) {
    MapCanvas canvas(out.width, out.height, true);
    drawing.draw(toMeet, canvas);
    painter.finish(canvas);
    image = std::move(canvas.image());
  } else {
    for (size_t i = 0; i < groups.size(); ++i)
      if (std::find(toMeet.begin(), toMeet.end(), &groups[i]) == toMeet.end())
        drawing.addTaken(grounds[i].counts, groups[i].chunks.size());
    drawing.progressSpan(0, 33);
    painter.beginCensus();
    MapCanvas none(1, 1, false);
    drawing.draw(toMeet, none);
    painter.endCensus();
  }
  painter.recordGrounds(nullptr);
  drawing.afterRegion(nullptr);

  std::vector<const std::vector<GroundEvent>*> inOrder;
  for (const auto& g : grounds) inOrder.push_back(&g.events);
  const GroundCensus census = censusOf(inOrder);
  const std::vector<ChunkReach> reach = chunkReach(plan, painter, &census.top);
  const std::vector<MapTile> all = tiles.tilesOf(out.width, out.height);
  taken.allTiles = all.size();
  // Each tile's key, and the tile kept or pasted, on every thread: the tiles are apart.
  WorkPool pool(threads);
  std::vector<std::optional<CacheKey>> keys(all.size());
  std::vector<char> pasted(all.size(), 0);
  if (!whole) image = sgimage::RgbaImage(out.width, out.height);
  pool.run(all.size(), [&](size_t i) {
    keys[i] = tiles.tileKey(all[i], reach, chunksOfTile(reach, all[i]), census);
    if (!keys[i]) return;
    if (whole) tiles.keep(*keys[i], all[i], image);
    else pasted[i] = tiles.paste(*keys[i], all[i], image);
  });
  if (!whole) {
    taken.tiles = static_cast<size_t>(std::count(pasted.begin(), pasted.end(), 1));
    drawTiles(reach, all, pasted, census, painter, partDrawing, image);
    pool.run(all.size(), [&](size_t i) {
      if (!pasted[i] && keys[i]) tiles.keep(*keys[i], all[i], image);
    });
  }
  if (!drawn()) return false;
  return writeFinishedMap(image, out, error);
}

}  // namespace sgrender
