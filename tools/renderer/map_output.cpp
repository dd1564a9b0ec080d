#include "renderer/map_output.h"

#include <climits>
#include <memory>

#include "imaging/png_file.h"
#include "renderer/chunk_reach.h"
#include "renderer/image/banded_map.h"

namespace sgrender {

bool writeFinishedMap(sgimage::RgbaImage& image, const MapImage& out, std::string& error) {
  if (!finishMap(image, out.finishing, error, out.crop)) return false;
  if (!sgimage::writePngAtomically(out.file, image, error, out.threads, out.strips)) {
    error = "cannot write the image " + out.file + ": " + error;
    return false;
  }
  return true;
}

bool writeWholeMap(const MapPlan& plan, const MapImage& out, MapDrawing& drawing, Painter& painter,
                   const AfterDrawing& drawn, std::string& error) {
  sgimage::RgbaImage image;
  {
    MapCanvas canvas(out.width, out.height, painter.needsDepth());
    std::vector<const ChunkGroup*> all;
    for (const auto& g : plan.chunks.groups) all.push_back(&g);
    drawing.draw(all, canvas);
    painter.finish(canvas);
    image = std::move(canvas.image());
  }  // the depths are let go before the image is finished and written
  if (!drawn()) return false;
  return writeFinishedMap(image, out, error);
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

bool writeProjectedBands(const MapPlan& plan, const MapImage& out, MapDrawing& census, BandedPainter& painter,
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

  const std::vector<ChunkReach> reach = chunkReach(plan, painter);
  if (bandRows <= 0) bandRows = static_cast<int>(std::max<long long>(16, (96LL << 20) / (8LL * out.width)));
  const int bands = (out.height + bandRows - 1) / bandRows;
  BandedMap writer(plan.frame.view, plan.frame.extent, out.finishing, out.width, out.height);
  if (!writer.open(out.file, error)) return failed();
  for (int n = 0; n < bands; ++n) {
    const int b = out.finishing.flip ? bands - 1 - n : n;
    const int first = b * bandRows, count = std::min(bandRows, out.height - first);
    const std::vector<ChunkGroup> groups = groupsOf(reach, chunksFor(reach, first, first + count - 1, INT_MIN, INT_MAX));
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
