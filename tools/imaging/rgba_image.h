// An image of 8-bit RGBA pixels (straight, not premultiplied alpha), rows top to bottom.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace sgimage {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

// Memory from calloc, its bytes left as they come: a large image's pages come fresh from the
// system, already clear, so a clear image costs no pass over its pixels.
template <typename T>
struct ClearedAllocator {
  using value_type = T;
  ClearedAllocator() = default;
  template <typename U>
  ClearedAllocator(const ClearedAllocator<U>&) {}
  T* allocate(size_t n) {
    if (void* p = std::calloc(n, sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, size_t) { std::free(p); }
  template <typename U>
  void construct(U* p) {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  template <typename U>
  bool operator==(const ClearedAllocator<U>&) const { return true; }
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
  std::vector<uint8_t, ClearedAllocator<uint8_t>> pixels_;
};

// src drawn over dst with alpha blending; exact for fully opaque and fully clear sources.
Rgba over(Rgba src, Rgba dst);

}  // namespace sgimage
