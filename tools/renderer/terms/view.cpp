#include "renderer/terms/view.h"

#include <algorithm>

namespace sgrender {

ViewExtent viewExtent(const View& view, int minX, int maxX, int minZ, int maxZ) {
  const int x0 = minX * 16, x1 = maxX * 16 + 15, z0 = minZ * 16, z1 = maxZ * 16 + 15;
  ViewExtent e{1 << 30, -(1 << 30), 1 << 30, -(1 << 30)};
  for (int x : {x0, x1})
    for (int z : {z0, z1}) {
      auto [u, v] = view.toView(x, z);
      e.minU = std::min(e.minU, u);
      e.maxU = std::max(e.maxU, u);
      e.minV = std::min(e.minV, v);
      e.maxV = std::max(e.maxV, v);
    }
  return e;
}

}  // namespace sgrender
