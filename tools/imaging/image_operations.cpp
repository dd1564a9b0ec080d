#include "imaging/image_operations.h"

#include <algorithm>

namespace sgimage {


RgbaImage mergeLayers(const std::vector<RgbaImage>& topFirst) {
  int w = 0, h = 0;
  for (const auto& l : topFirst) {
    w = std::max(w, l.width());
    h = std::max(h, l.height());
  }
  RgbaImage canvas(w, h);
  for (auto it = topFirst.rbegin(); it != topFirst.rend(); ++it)
    for (int y = 0; y < it->height(); ++y)
      for (int x = 0; x < it->width(); ++x) canvas.set(x, y, over(it->at(x, y), canvas.at(x, y)));
  return canvas;
}

RgbaImage rotateClockwise(const RgbaImage& im, int degrees) {
  int w = im.width(), h = im.height();
  if (degrees == 180) {
    RgbaImage out(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) out.set(w - 1 - x, h - 1 - y, im.at(x, y));
    return out;
  }
  if (degrees != 90 && degrees != 270) return im;
  RgbaImage out(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (degrees == 90)
        out.set(h - 1 - y, x, im.at(x, y));  // the top row becomes the right column
      else
        out.set(y, w - 1 - x, im.at(x, y));
    }
  return out;
}

RgbaImage fillBackground(const RgbaImage& im, Rgba colour) {
  RgbaImage out(im.width(), im.height());
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) out.set(x, y, over(im.at(x, y), colour));
  return out;
}

RgbaImage mirrorHorizontally(const RgbaImage& im) {
  RgbaImage out(im.width(), im.height());
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) out.set(im.width() - 1 - x, y, im.at(x, y));
  return out;
}

RgbaImage mirrorVertically(const RgbaImage& im) {
  RgbaImage out(im.width(), im.height());
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) out.set(x, im.height() - 1 - y, im.at(x, y));
  return out;
}

}  // namespace sgimage
