// The terms a render is described in, shared by every stage of the renderer: the style, the
// view's orientation, the time of day and a range of chunks.
#pragma once
#include <cstdint>

#include "render_words/render_words.h"

namespace sgrender {

struct ChunkRectangle {
  int minX = 0, maxX = 0, minZ = 0, maxZ = 0;  // chunk coordinates, inclusive
  bool keepWhitespace = false;                 // the image spans the whole rectangle
};

enum class Style { Normal, HeightmapColor, HeightmapGray, Lightmap, Oblique, ObliqueAngled, Isometric };
enum class Orientation { North, East, South, West };

// The render words that name a style and an orientation.
inline sgwords::Word wordOf(Style s) {
  return static_cast<sgwords::Word>(static_cast<int>(sgwords::Word::Normal) + static_cast<int>(s));
}
inline sgwords::Word wordOf(Orientation o) {
  return static_cast<sgwords::Word>(static_cast<int>(sgwords::Word::North) + static_cast<int>(o));
}
static_assert(static_cast<int>(sgwords::Word::Isometric) - static_cast<int>(sgwords::Word::Normal) ==
              static_cast<int>(Style::Isometric));
static_assert(static_cast<int>(sgwords::Word::West) - static_cast<int>(sgwords::Word::North) ==
              static_cast<int>(Orientation::West));

// The styles drawn as projections (cliffs and sides show) rather than from straight above.
inline bool isProjected(Style s) { return s == Style::Oblique || s == Style::ObliqueAngled || s == Style::Isometric; }
enum class TimeOfDay { Day, Twilight, Night };

// One number for a place on a grid (a chunk, a region, a cell of the view), for hashing.
inline long long placeKey(int x, int z) { return (static_cast<long long>(x) << 32) ^ static_cast<uint32_t>(z); }

}  // namespace sgrender
