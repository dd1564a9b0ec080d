// The top-down styles: the map seen from above, one pixel per block column. "Normal" takes the
// colour of each column's highest visible block in its biome's tints, with water, glass, ice
// and leaves blended over what lies below (water the darker and more opaque the deeper it is),
// shaded by height and lit from the view's north-west, so that slopes show. "Heightmap, color"
// colours the highest solid block's level from the sea level (blues below, green to white
// above), "Heightmap, gray" from the world's bottom (black) to its top (white), and "Lightmap"
// the light at the surface, setting apart where monsters can spawn.
#pragma once
#include <climits>

#include "imaging/rgba_image.h"
#include "renderer/styles/painter.h"

namespace sgrender {

enum class TopDownMode { Normal, HeightColour, HeightGrey, Light };

// What a column's colour takes from around it.
struct ColumnSurroundings {
  const BiomeTints* tints = nullptr;  // blended biome tints; none: the temperate default
  int rise = 0;                       // over the neighbours towards the light
  int seaLevel = 63;
  int start = INT_MIN;                // the first level drawn, where known; INT_MAX: none
};

// The colour of one column of a chunk (x and z 0 to 15); clear when nothing is drawn.
sgimage::Rgba columnColour(const Chunk& chunk, int x, int z, const BlockLook& look, const PaintOptions& request,
                           TopDownMode mode, const ColumnSurroundings& around = {});

// The colour height map's colour of a level: blues below the sea level, darker with depth;
// green, yellow, brown, grey and white with the height above it.
sgimage::Rgba seaLevelColour(int y, int seaLevel);
// The light map's colour of a surface: by the block light above it (red where none, where
// monsters spawn once the sky is dark; orange where dim; yellow to white where lit) over the
// ground's own colour, dimmed with the sky's light of the time of day.
sgimage::Rgba lightColour(int blockLight, double skyShare, sgimage::Rgba ground);

}  // namespace sgrender
