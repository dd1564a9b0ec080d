// Drawing a world's chunks as a map seen from above, one pixel per block column.
#pragma once
#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "imaging/rgba_image.h"
#include "renderer/chunk_blocks.h"
#include "renderer/render_arguments.h"

namespace sgrender {

// What to draw of each column, built once from a request.
struct ColumnRules {
  std::array<bool, 256> layer{};   // levels that may be drawn
  std::vector<bool> block;          // block ids that may be drawn (4096 of them)
  bool ignoreWater = false, cave = false, nether = false;
  double ambient = 1.0;             // light that reaches everything: 1 by day, less at night

  explicit ColumnRules(const RenderRequest& request);
};

// The colour of one column of a chunk (x and z 0 to 15); clear when nothing is drawn.
sgimage::Rgba columnColour(const ChunkBlocks& chunk, int x, int z, const ColumnRules& rules);

// Draws the chunk into the image whose top-left pixel is the block column (originX, originZ).
void drawChunk(const ChunkBlocks& chunk, const ColumnRules& rules, sgimage::RgbaImage& image,
               int originX, int originZ);

}  // namespace sgrender
