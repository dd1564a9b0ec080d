// The parts of a render request that each stage of the pipeline takes: the world listing, the
// blocks' look, the painter and the finishing of the image see only their own options.
#pragma once
#include "renderer/image/map_finishing.h"
#include "renderer/render_arguments.h"
#include "renderer/styles/block_look.h"
#include "renderer/styles/painter.h"
#include "renderer/world/world_layout.h"

namespace sgrender {

WorldQuery worldQuery(const RenderRequest& r);
LookOptions lookOptions(const RenderRequest& r);
PaintOptions paintOptions(const RenderRequest& r);
Finishing finishing(const RenderRequest& r);

}  // namespace sgrender
