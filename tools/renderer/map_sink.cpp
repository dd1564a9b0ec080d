#include "renderer/map_sink.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "imaging/png_file.h"
#include "renderer/projected_tiles.h"
#include "renderer/region_tiles.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

// The rows of a projected band: SG_BAND_ROWS where set (the tests draw narrow bands), else 0,
// for the band's own budget.
int bandRowsAsked() {
  const char* rows = std::getenv("SG_BAND_ROWS");
  return rows ? std::max(0, std::atoi(rows)) : 0;
}

// The side of a projected map's tiles in the render cache: SG_TILE_SIDE where set (the tests
// draw small tiles), else the cache's own.
int tileSideAsked() {
  const char* side = std::getenv("SG_TILE_SIDE");
  const int asked = side ? std::atoi(side) : 0;
  return asked >= 16 ? asked : ProjectedTiles::kTileSide;
}

}  // namespace

std::optional<std::string> tooLarge(long long width, long long height, const RenderRequest& req, bool whole) {
  if (whole && width * height > sgimage::kMaxPixels)
    return "the map would be " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, too large; choose a chunk range";
  long long outWidth = std::max(1LL, std::llround(width * req.zoom)), outHeight = std::max(1LL, std::llround(height * req.zoom));
  if (req.rotate) std::swap(outWidth, outHeight);
  const std::string size = std::to_string(outWidth) + " x " + std::to_string(outHeight) + " pixels";
  if (whole && req.zoom != 1.0 && static_cast<double>(outWidth) * outHeight > static_cast<double>(sgimage::kMaxPixels))
    return "the map zoomed " + (std::ostringstream() << req.zoom).str() + " times would be " + size +
           ", too large; choose a smaller zoom or a chunk range";
  if (outWidth > sgimage::kMaxSide || outHeight > sgimage::kMaxSide)
    return "the map would be " + size + ", more than a PNG image holds (" + std::to_string(sgimage::kMaxSide) +
           " pixels a side); choose a chunk range";
  return std::nullopt;
}

Output chooseOutput(long long width, long long height, const RenderRequest& req, bool depth) {
  Output o;
  const long long bytes = width * height * (depth ? 8 : 4);
  o.wholeMegabytes = bytes >> 20;
  o.wholeTooLarge = bytes > sgsys::physicalMemory() / 2 || width * height > sgimage::kMaxPixels ||
                    (req.zoom > 1 && width * req.zoom * height * req.zoom > static_cast<double>(sgimage::kMaxPixels));
  o.banded = (req.lowRamWrite || o.wholeTooLarge) && !req.rotate;
  return o;
}

void sayOutput(const Output& o, const RenderRequest& req, std::ostream& errors) {
  if (!o.banded && o.wholeTooLarge)
    errors << "renderer: note: the whole map is held in memory (" << o.wholeMegabytes << " MB), since rotate needs it whole\n";
  if (o.banded && o.wholeTooLarge && !req.lowRamWrite)
    errors << "renderer: note: the map would not fit in half the memory; it is written band by band\n";
}

bool writeMap(const SinkParts& p, const Output& output, const AfterDrawing& drawn, std::ostream& reports,
              std::string& error) {
  const size_t regions = p.plan.chunks.groups.size();
  BandedPainter* const projected = p.painter.banded();
  if (p.cache && projected && !output.banded) {
    // Held whole through the cache: tiles of the map.
    const ViewExtent& e = p.plan.frame.extent;
    const CacheKey placement =
        KeyMaker().add(e.minU).add(e.maxU).add(e.minV).add(e.maxV).add(p.image.width).add(p.image.height).key();
    const ProjectedTiles tiles(*p.cache, p.drawKey, placement, tileSideAsked());
    TilesTaken taken;
    if (!writeProjectedThroughCache(p.plan, p.image, p.drawing, *projected, p.partDrawing, tiles, drawn, p.threads,
                                    taken, error))
      return false;
    if (p.verbosity >= 1)
      reports << "renderer: " << taken.regions << " of " << regions << " regions and " << taken.tiles << " of "
              << taken.allTiles << " tiles taken from the cache\n";
    return true;
  }
  if (projected) {
    return output.banded ? writeProjectedBands(p.plan, p.image, p.drawing, *projected, p.partDrawing, bandRowsAsked(),
                                               drawn, error)
                         : writeWholeMap(p.plan, p.image, p.drawing, p.painter, drawn, error);
  }
  // The map from above: region by region through the cache, where one is kept.
  std::optional<RegionTiles> tiles;
  if (p.cache && !p.painter.needsDepth())
    p.drawing.useTiles(&tiles.emplace(*p.cache, p.plan, p.drawKey, p.image.width, p.image.height));
  const bool written = output.banded ? writeBandedMap(p.plan, p.image, p.drawing, drawn, error)
                                     : writeWholeMap(p.plan, p.image, p.drawing, p.painter, drawn, error);
  if (written && tiles && p.verbosity >= 1)
    reports << "renderer: " << tiles->pasted() << " of " << regions << " regions taken from the cache\n";
  return written;
}

}  // namespace sgrender
