// MapFrame: the map a render draws, as every stage sees it: the view, the columns it spans,
// the levels a projected style makes room for, and which chunks the world stores.
#pragma once
#include <functional>

#include "renderer/terms/view.h"

namespace sgrender {

// The map a painter draws: the view, the columns it spans and the levels a projected style
// makes room for.
struct MapFrame {
  View view;
  ViewExtent extent;
  int lowestY = -64, highestY = 319;
  int seaLevel = 63;  // the level of the sea's surface plus one, as the game counts it
  // Whether the world stores a chunk there (empty: any chunk may come).
  std::function<bool(int chunkX, int chunkZ)> stored;
};

}  // namespace sgrender
