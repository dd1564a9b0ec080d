#include "post_processor/map_geometry.h"

namespace sgpost {

MapGeometry::MapGeometry(int width, int height, const std::vector<Step>& steps)
    : outW_(width), outH_(height) {
  // The mapping kept is output (ox, oy) -> canvas: undo the mirrors of the output axes, then
  // read the axes in swapped order when turned. Each step acts on the current output.
  for (const Step& s : steps) {
    switch (s.kind) {
      case Step::MirrorHorizontally: flipX_ = !flipX_; break;
      case Step::MirrorVertically: flipY_ = !flipY_; break;
      case Step::Rotate: {
        const int turns = s.degrees / 90;
        for (int t = 0; t < turns % 4; ++t) {
          // Clockwise: new (ox, oy) shows old (oy, newW - 1 - ox); new width is the old height.
          bool oldFlipX = flipX_, oldFlipY = flipY_;
          swap_ = !swap_;
          flipX_ = !oldFlipY;
          flipY_ = oldFlipX;
          std::swap(outW_, outH_);
        }
        break;
      }
      case Step::Colour: break;
    }
  }
}

}  // namespace sgpost
