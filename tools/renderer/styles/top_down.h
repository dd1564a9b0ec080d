// The top-down painter: a map seen from above, one pixel per block column, each column taking
// the colour of its highest visible block, shaded by height, with water, glass and leaves
// blended over what lies below.
#pragma once
#include <vector>

#include "imaging/rgba_image.h"
#include "renderer/formats/chunk.h"
#include "renderer/render_arguments.h"

namespace sgrender {

// The levels any world may hold, for the layer filters.
constexpr int kLowestLevel = -2048, kLevelCount = 4096;

// What to draw of each column, built once from a request.
struct ColumnRules {
  std::vector<bool> layer;  // levels that may be drawn, from kLowestLevel up
  std::vector<bool> block;  // block ids that may be drawn
  bool ignoreWater = false, cave = false, nether = false;
  double ambient = 1.0;     // light that reaches everything: 1 by day, less at night

  explicit ColumnRules(const RenderRequest& request);
  bool layerShown(int y) const { return layer[static_cast<size_t>(y - kLowestLevel)]; }
};

// The colour of one column of a chunk (x and z 0 to 15); clear when nothing is drawn.
sgimage::Rgba columnColour(const Chunk& chunk, int x, int z, const ColumnRules& rules);

// Draws the chunk into the image whose top-left pixel is the block column (originX, originZ).
void drawChunk(const Chunk& chunk, const ColumnRules& rules, sgimage::RgbaImage& image, int originX, int originZ);

}  // namespace sgrender
