#include "renderer/map_output.h"

#include <climits>
#include <memory>
#include <unordered_map>

#include "imaging/png_file.h"
#include "renderer/image/banded_map.h"

namespace sgrender {

bool writeWholeMap(const MapPlan& plan, const MapImage& out, MapDrawing& drawing, Painter& painter,
                   const AfterDrawing& drawn, std::string& error) {
  MapCanvas canvas(out.width, out.height, painter.needsDepth());
  std::vector<const ChunkGroup*> all;
  for (const auto& g : plan.chunks.groups) all.push_back(&g);
  drawing.draw(all, canvas);
  painter.finish(canvas);
  if (!drawn()) return false;
  sgimage::RgbaImage image = std::move(canvas.image());
  if (!finishMap(image, out.finishing, error)) return false;
  if (!sgimage::writePngAtomically(out.file, image, error)) {
    error = "cannot write the image " + out.file + ": " + error;
    return false;
  }
  return true;
}

bool writeBandedMap(const MapPlan& plan, const MapImage& out, MapDrawing& drawing, const AfterDrawing& drawn,
                    std::string& error) {
  const MapFrame& frame = plan.frame;
  auto failed = [&] {
    error = "cannot write the image " + out.file + ": " + error;
    return false;
  };
  BandedMap bands(frame.view, frame.extent, out.finishing, out.width, out.height);
  if (!bands.open(out.file, error)) return failed();
  const std::vector<MapBand> bandPlan = bands.plan(plan.chunks.groups);
  for (size_t b = 0; b < bandPlan.size(); ++b) {
    const MapBand& band = bandPlan[b];
    if (out.finishing.flip && b + 1 < bandPlan.size()) {
      // Bottom first: the band above comes later, but the chunks along its lower edge are what
      // this band's top row is shaded and blended with. They are shown to the painter now.
      auto viewRow = [&](const ChunkPlace& p) {
        int v = INT_MAX;
        for (int dx : {0, 15})
          for (int dz : {0, 15}) v = std::min(v, frame.view.toView(p.x * 16 + dx, p.z * 16 + dz).second);
        return v >> 4;
      };
      int lowest = INT_MIN;
      for (const ChunkGroup* g : bandPlan[b + 1].groups)
        for (const ChunkPlace& p : g->chunks) lowest = std::max(lowest, viewRow(p));
      drawing.prime(bandPlan[b + 1].groups, [&](const ChunkPlace& p) { return viewRow(p) == lowest; });
    }
    MapCanvas canvas(out.width, band.rows, false);
    canvas.setOrigin(band.firstRow);
    drawing.draw(band.groups, canvas);
    if (!bands.write(canvas, band, error)) return failed();
  }
  if (!drawn()) return false;
  if (!bands.finish(error)) return failed();
  return true;
}

namespace {

long long placeKey(int x, int z) { return (static_cast<long long>(x) << 32) ^ static_cast<uint32_t>(z); }
int floorDiv16(int v) { return v >= 0 ? v / 16 : -((-v + 15) / 16); }

// Every chunk of the plan with the rows its turn reaches and the farther chunks it takes from.
struct ChunkRows {
  const ChunkGroup* group;
  size_t place;
  int first, last;          // rows
  int far[3] = {-1, -1, -1};  // the chunks before it in view: north, west and north-west
};

std::vector<ChunkRows> chunkRows(const MapPlan& plan, const Painter& painter) {
  std::vector<ChunkRows> all;
  std::unordered_map<long long, int> byView;
  auto viewChunk = [&](const ChunkPlace& c) {
    auto [u, v] = plan.frame.view.toView(c.x * 16 + 8, c.z * 16 + 8);
    return std::pair(floorDiv16(u), floorDiv16(v));
  };
  for (const auto& g : plan.chunks.groups)
    for (size_t i = 0; i < g.chunks.size(); ++i) {
      auto [first, last] = painter.rowsOf(g.chunks[i].x, g.chunks[i].z);
      auto [cu, cv] = viewChunk(g.chunks[i]);
      byView[placeKey(cu, cv)] = static_cast<int>(all.size());
      all.push_back({&g, i, first, last});
    }
  for (auto& c : all) {
    auto [cu, cv] = viewChunk(c.group->chunks[c.place]);
    const std::pair<int, int> far[3] = {{cu, cv - 1}, {cu - 1, cv}, {cu - 1, cv - 1}};
    for (int k = 0; k < 3; ++k)
      if (auto it = byView.find(placeKey(far[k].first, far[k].second)); it != byView.end()) c.far[k] = it->second;
  }
  return all;
}

}  // namespace

bool writeProjectedBands(const MapPlan& plan, const MapImage& out, MapDrawing& census, Painter& painter,
                         const BandDrawing& bandDrawing, int bandRows, const AfterDrawing& drawn, std::string& error) {
  auto failed = [&] {
    error = "cannot write the image " + out.file + ": " + error;
    return false;
  };
  // The census: every chunk once, measured, nothing drawn.
  std::vector<const ChunkGroup*> all;
  for (const auto& g : plan.chunks.groups) all.push_back(&g);
  painter.beginCensus();
  MapCanvas none(1, 1, false);
  census.draw(all, none);
  painter.endCensus();

  const std::vector<ChunkRows> rows = chunkRows(plan, painter);
  if (bandRows <= 0) bandRows = static_cast<int>(std::max<long long>(16, (96LL << 20) / (8LL * out.width)));
  const int bands = (out.height + bandRows - 1) / bandRows;
  BandedMap writer(plan.frame.view, plan.frame.extent, out.finishing, out.width, out.height);
  if (!writer.open(out.file, error)) return failed();
  std::vector<int> visited(rows.size(), -1);
  for (int n = 0; n < bands; ++n) {
    const int b = out.finishing.flip ? bands - 1 - n : n;
    const int first = b * bandRows, count = std::min(bandRows, out.height - first);
    // The chunks whose turns reach the band, and the two rings of chunks before them that they
    // take edges and biomes from.
    std::vector<int> pending;
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].last >= first && rows[i].first < first + count) {
        visited[i] = b;
        pending.push_back(static_cast<int>(i));
      }
    for (int ring = 0; ring < 2; ++ring) {
      std::vector<int> next;
      for (int i : pending)
        for (int f : rows[static_cast<size_t>(i)].far)
          if (f >= 0 && visited[static_cast<size_t>(f)] != b) {
            visited[static_cast<size_t>(f)] = b;
            next.push_back(f);
          }
      pending = std::move(next);
    }
    // In the plan's order, region by region.
    std::vector<ChunkGroup> groups;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (visited[i] != b) continue;
      if (groups.empty() || groups.back().regionX != rows[i].group->regionX ||
          groups.back().regionZ != rows[i].group->regionZ)
        groups.push_back({rows[i].group->regionX, rows[i].group->regionZ, rows[i].group->regionFile, {}});
      groups.back().chunks.push_back(rows[i].group->chunks[rows[i].place]);
    }
    std::vector<const ChunkGroup*> band;
    for (const auto& g : groups) band.push_back(&g);
    MapCanvas canvas(out.width, count, true);
    canvas.setOrigin(first);
    painter.beginBand();
    const int from = 33 + 66 * n / bands, to = 33 + 66 * (n + 1) / bands;
    size_t chunks = 0;
    for (const auto& g : groups) chunks += g.chunks.size();
    bandDrawing(chunks, from, to)->draw(band, canvas);
    painter.finish(canvas);
    if (!writer.write(canvas, MapBand{first, count, {}}, error)) return failed();
  }
  if (!drawn()) return false;
  if (!writer.finish(error)) return failed();
  return true;
}

}  // namespace sgrender
