// An image of 8-bit RGBA pixels (straight, not premultiplied alpha), rows top to bottom.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sgimage {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

class RgbaImage {
 public:
  RgbaImage() = default;
  RgbaImage(int width, int height, Rgba fill = {});

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  Rgba at(int x, int y) const {
    const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  void set(int x, int y, Rgba c) {
    uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
  }
  uint8_t* data() { return pixels_.data(); }
  const uint8_t* data() const { return pixels_.data(); }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint8_t> pixels_;
};

// src drawn over dst with alpha blending; exact for fully opaque and fully clear sources.
Rgba over(Rgba src, Rgba dst);

}  // namespace sgimage
