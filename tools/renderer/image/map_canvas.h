// The map being drawn: RGBA pixels and, for the projected styles, a depth per pixel, so that a
// nearer block wins over a farther one whatever order the chunks come in.
#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "imaging/rgba_image.h"

namespace sgrender {

class MapCanvas {
 public:
  MapCanvas(int width, int height, bool withDepth);

  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  sgimage::RgbaImage& image() { return image_; }

  // The map row (and column) that the canvas's first row (and column) holds: a band or a tile
  // of a larger map.
  void setOrigin(int firstRow, int firstColumn = 0) {
    origin_ = firstRow;
    column_ = firstColumn;
  }

  // A pixel of the map (clear outside the canvas).
  sgimage::Rgba at(int x, int y) const {
    y -= origin_;
    x -= column_;
    return x >= 0 && y >= 0 && x < width() && y < height() ? image_.at(x, y) : sgimage::Rgba{};
  }
  // Sets a pixel of the map outright (top-down styles).
  void set(int x, int y, sgimage::Rgba c) {
    y -= origin_;
    x -= column_;
    if (x >= 0 && y >= 0 && x < width() && y < height()) image_.set(x, y, c);
  }
  // Hides whatever lies farther than depth d at a pixel, leaving it clear: the solid ground
  // under the map's edge, which is not drawn but still stands in front of what is behind it.
  void occlude(int x, int y, int32_t d) {
    y -= origin_;
    x -= column_;
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    int32_t& stored = depth_[static_cast<size_t>(y) * width() + x];
    if (d < stored) return;
    image_.set(x, y, {});
    stored = d;
  }
  // Draws a pixel of something at depth d (larger is nearer): an opaque one replaces what is
  // farther; a see-through one is laid over it.
  void plot(int x, int y, int32_t d, sgimage::Rgba c) {
    y -= origin_;
    x -= column_;
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    int32_t& stored = depth_[static_cast<size_t>(y) * width() + x];
    if (d < stored) return;
    if (c.a == 255) {
      image_.set(x, y, c);
      stored = d;
    } else {
      image_.set(x, y, sgimage::over(c, image_.at(x, y)));
      // Something seen through stays farther: a nearer opaque block still covers it.
    }
  }

 private:
  sgimage::RgbaImage image_;
  std::vector<int32_t> depth_;
  int origin_ = 0, column_ = 0;
};

}  // namespace sgrender
