// The renderer's part of a zoomable map: the facts of the image it wrote (the names for the
// title, and for the map from above where each block column is and the spawn), and then the
// map itself beside a final image, or only the facts beside a job's layer image, whose map the
// post processor makes once the layers are merged and turned.
#pragma once
#include <optional>
#include <string>
#include <utility>

#include "renderer/image/map_finishing.h"
#include "renderer/map_plan.h"
#include "renderer/render_arguments.h"
#include "zoom_map/map_facts.h"

namespace sgrender {

// Whether the image was cropped, and where, as far as the render knows: a map written band by
// band is not cropped; one taken from the cache does not tell.
struct CropSeen {
  bool known = false;
  std::optional<CropBox> box;  // when known: where the crop fell, or nothing when there was none
};

sgmap::MapFacts mapFactsOf(const RenderRequest& req, const MapPlan& plan, const CropSeen& crop);

// A job's layer drawn without a zoomable map takes away facts that an earlier job left beside
// its name, so that the post processor never places blocks by another render's facts.
void forgetStaleFacts(const RenderRequest& req, const std::string& image);

// False with a reason when the map or its facts cannot be written.
bool writeZoomableMap(const std::string& image, const sgmap::MapFacts& facts, std::string& error);

}  // namespace sgrender
