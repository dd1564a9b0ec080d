// The turns and mirrors of a post-processing step list as one mapping between the merged
// canvas and the output, so that the output can be made row by row: each turn or mirror is a
// signed permutation of the axes, and so is any sequence of them.
#pragma once
#include <vector>

#include "post_processor/post_arguments.h"

namespace sgpost {

class MapGeometry {
 public:
  MapGeometry(int width, int height, const std::vector<Step>& steps);

  int outWidth() const { return outW_; }
  int outHeight() const { return outH_; }
  // Whether an output row is a canvas column (the map turned by 90 or 270 degrees).
  bool turned() const { return swap_; }
  // Whether output rows come in the canvas's own row order (no turn, no upside down).
  bool rowsInOrder() const { return !swap_ && !flipY_; }
  // The canvas pixel shown at an output pixel.
  void source(int ox, int oy, int& x, int& y) const {
    int a = flipX_ ? outW_ - 1 - ox : ox, b = flipY_ ? outH_ - 1 - oy : oy;
    if (swap_) x = b, y = a;
    else x = a, y = b;
  }

 private:
  int outW_, outH_;
  bool swap_ = false, flipX_ = false, flipY_ = false;  // output axis u from canvas: see source()
};

}  // namespace sgpost
