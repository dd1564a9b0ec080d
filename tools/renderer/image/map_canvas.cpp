#include "renderer/image/map_canvas.h"

namespace sgrender {

MapCanvas::MapCanvas(int width, int height, bool withDepth) : image_(width, height) {
  if (withDepth) depth_.assign(static_cast<size_t>(width) * height, std::numeric_limits<int32_t>::min());
}

}  // namespace sgrender
