// The view of a map: which world direction is up. Every painter works in view coordinates,
// u to the right and v downwards, so an orientation turns the world, not the finished image,
// and the projected styles show other faces from each side.
#pragma once
#include <utility>

#include "renderer/terms/map_terms.h"

namespace sgrender {

struct View {
  Orientation up = Orientation::North;

  // Block column (x, z) of the world to (u, v) of the view.
  std::pair<int, int> toView(int x, int z) const {
    switch (up) {
      case Orientation::North: return {x, z};
      case Orientation::East: return {z, -x};
      case Orientation::South: return {-x, -z};
      case Orientation::West: return {-z, x};
    }
    return {x, z};
  }
  // And back.
  std::pair<int, int> toWorld(int u, int v) const {
    switch (up) {
      case Orientation::North: return {u, v};
      case Orientation::East: return {-v, u};
      case Orientation::South: return {-u, -v};
      case Orientation::West: return {v, -u};
    }
    return {u, v};
  }
};

// The block columns a map spans, in view coordinates (inclusive).
struct ViewExtent {
  int minU = 0, maxU = -1, minV = 0, maxV = -1;
  int width() const { return maxU - minU + 1; }
  int depth() const { return maxV - minV + 1; }
};

// The extent of chunks minX..maxX x minZ..maxZ seen in the view.
ViewExtent viewExtent(const View& view, int minChunkX, int maxChunkX, int minChunkZ, int maxChunkZ);

}  // namespace sgrender
