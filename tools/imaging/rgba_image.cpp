#include "imaging/rgba_image.h"

namespace sgimage {

RgbaImage::RgbaImage(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4) {
  if (fill == Rgba{}) return;  // the memory comes clear
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    pixels_[i] = fill.r;
    pixels_[i + 1] = fill.g;
    pixels_[i + 2] = fill.b;
    pixels_[i + 3] = fill.a;
  }
}

Rgba over(Rgba s, Rgba d) {
  if (s.a == 255 || d.a == 0) return s.a == 0 ? Rgba{} : s;
  if (s.a == 0) return d;
  // Weights scaled by 255 * 255 so that everything stays in integers.
  unsigned ws = s.a * 255u, wd = d.a * (255u - s.a), w = ws + wd;
  auto mix = [&](unsigned sc, unsigned dc) {
    return static_cast<uint8_t>((sc * ws + dc * wd + w / 2) / w);
  };
  return {mix(s.r, d.r), mix(s.g, d.g), mix(s.b, d.b), static_cast<uint8_t>((w + 127) / 255)};
}

}  // namespace sgimage
