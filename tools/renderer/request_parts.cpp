#include "renderer/request_parts.h"

namespace sgrender {

WorldQuery worldQuery(const RenderRequest& r) {
  return {.nether = r.nether, .dimension = r.dimension, .rectangle = r.rectangle, .alpha = r.alpha, .beta = r.beta,
          .threads = r.threads};
}

LookOptions lookOptions(const RenderRequest& r) {
  return {.onlyLayers = r.onlyLayers,
          .notLayers = r.notLayers,
          .onlyBlocks = r.onlyBlocks,
          .notBlocks = r.notBlocks,
          .ignoreWater = r.ignoreWater,
          .xray = r.xray,
          .forceBrightness = r.forceBrightness,
          .wooloscopy = r.wooloscopy,
          .style = r.style,
          .time = r.time,
          .granularity = r.granularity};
}

PaintOptions paintOptions(const RenderRequest& r) {
  return {.style = r.style, .cave = r.cave, .cake = r.cake, .nether = r.nether, .upsideDown = r.upsideDown,
          .noBiomes = r.noBiomes};
}

Finishing finishing(const RenderRequest& r) {
  return {.style = r.style,
          .orientation = r.orientation,
          .mirror = r.mirror,
          .autoMirror = r.autoMirror,
          .flip = r.flip,
          .rotate = r.rotate,
          .cropWhitespace = r.cropWhitespace,
          .zoom = r.zoom};
}

}  // namespace sgrender
