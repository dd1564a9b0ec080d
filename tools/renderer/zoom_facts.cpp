#include "renderer/zoom_facts.h"

#include <cmath>
#include <filesystem>

#include "batch/job_files.h"
#include "renderer/image/map_finishing.h"
#include "renderer/request_parts.h"
#include "renderer/world/level_file.h"
#include "system/atomic_file.h"
#include "system/tool_system.h"
#include "zoom_map/zoomable_map.h"

namespace sgrender {

namespace {

const char* styleName(Style s) {
  switch (s) {
    case Style::Normal: return "Normal";
    case Style::HeightmapColor: return "Heightmap, color";
    case Style::HeightmapGray: return "Heightmap, gray";
    case Style::Lightmap: return "Lightmap";
    case Style::Oblique: return "Oblique";
    case Style::ObliqueAngled: return "Oblique, angled";
    case Style::Isometric: return "Isometric";
  }
  return "";
}

const char* orientationName(Orientation o) {
  switch (o) {
    case Orientation::North: return "North";
    case Orientation::East: return "East";
    case Orientation::South: return "South";
    case Orientation::West: return "West";
  }
  return "";
}

}  // namespace

sgmap::MapFacts mapFactsOf(const RenderRequest& req, const MapPlan& plan,
                           const CropSeen& crop) {
  sgmap::MapFacts f;
  f.world = req.folder ? *req.folder : sgsys::nameOf(plan.world.filename());
  f.style = styleName(req.style);
  f.orientation = orientationName(req.orientation);
  const ViewExtent& e = plan.frame.extent;
  f.width = e.width();
  f.height = e.depth();
  if (isProjected(req.style)) return f;  // the page places blocks only on the map from above
  f.blocks = sgmap::placementFromAbove(static_cast<int>(plan.frame.view.up), e.minU, e.minV);
  if (!req.nether && !req.dimension) f.spawn = spawnOf(plan.world);
  // The steps the renderer takes on the drawn map, in its order.
  const Finishing r = finishing(req);
  if (mirrorsMap(r)) f.mirrorHorizontally();
  if (r.flip) f.mirrorVertically();
  if (r.rotate) f.rotateClockwise(90);
  if (r.cropWhitespace && !crop.known) f.blocks.reset();  // no block placed rather than a wrong one
  if (crop.box) f.crop(crop.box->left, crop.box->top, crop.box->width, crop.box->height);
  if (r.zoom != 1.0)
    f.zoom(r.zoom, std::max(1, static_cast<int>(std::lround(f.width * r.zoom))),
           std::max(1, static_cast<int>(std::lround(f.height * r.zoom))));
  return f;
}

void forgetStaleFacts(const RenderRequest& req, const std::string& image) {
  if (req.zoomableMap || !sgbatch::isJobLayer(image)) return;
  std::error_code ec;
  std::filesystem::remove(sgsys::pathOf(sgmap::factsFileOf(image)), ec);
}

bool writeZoomableMap(const std::string& image, const sgmap::MapFacts& facts, std::string& error) {
  if (sgbatch::isJobLayer(image)) {
    if (sgsys::writeFileAtomically(sgmap::factsFileOf(image), sgmap::factsText(facts))) return true;
    error = "cannot write " + sgmap::factsFileOf(image);
    return false;
  }
  return sgmap::makeZoomableMap(image, facts, error);
}

}  // namespace sgrender
