// The top-down styles: the map seen from above, one pixel per block column. "Normal" takes the
// colour of each column's highest visible block, shaded by height, with water, glass, ice and
// leaves blended over what lies below; the height maps colour the highest solid block's level;
// the light map shows the light at the surface.
#pragma once
#include "imaging/rgba_image.h"
#include "renderer/styles/painter.h"

namespace sgrender {

enum class TopDownMode { Normal, HeightColour, HeightGrey, Light };

// The colour of one column of a chunk (x and z 0 to 15); clear when nothing is drawn.
sgimage::Rgba columnColour(const Chunk& chunk, int x, int z, const BlockLook& look, const RenderRequest& request,
                           TopDownMode mode);

// The height map's colour ramp, t from 0 (the world's bottom) to 1 (its top).
sgimage::Rgba heightRamp(double t);

}  // namespace sgrender
