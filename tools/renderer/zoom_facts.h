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

// `crop`: where a crop fell, when the image was cropped here.
sgmap::MapFacts mapFactsOf(const RenderRequest& req, const MapPlan& plan, const std::optional<CropBox>& crop);

// False with a reason when the map or its facts cannot be written.
bool writeZoomableMap(const std::string& image, const sgmap::MapFacts& facts, std::string& error);

}  // namespace sgrender
