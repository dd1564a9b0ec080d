#include "renderer/map_output.h"

#include <climits>

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

}  // namespace sgrender
