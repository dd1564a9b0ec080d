// The oblique styles: seen from above and the viewer's side, each level shifting its block up
// by one pixel, so that cliffs and the facing sides of blocks show. "Oblique, angled" is the
// same turned 45 degrees, each block two pixels tall on a diagonal grid.
#include "renderer/styles/block_faces.h"

namespace sgrender {

namespace {

class ObliquePainter : public ProjectedPainter {
 public:
  ObliquePainter(const PaintOptions& r, const BlockLook& look, const MapFrame& f, bool angled)
      : ProjectedPainter(r, look, f), angled_(angled) {}
  int width() const override {
    return angled_ ? frame_.extent.width() + frame_.extent.depth() : frame_.extent.width();
  }
  int height() const override {
    return angled_ ? frame_.extent.width() + frame_.extent.depth() + levels_ + 2 : frame_.extent.depth() + levels_ + 1;
  }

 private:
  std::pair<int, int> rowsFor(int u0, int u1, int v0, int v1, int lift0, int lift1) const override {
    if (!angled_) return {v0 + lift0, v1 + lift1 + 1};
    return {u0 + v0 + lift0, u1 + v1 + lift1 + 2};
  }
  std::pair<int, int> columnsFor(int u0, int u1, int v0, int v1) const override {
    if (!angled_) return {u0, u1};
    const int depth = frame_.extent.depth();
    return {u0 + depth - 1 - v1, u1 + depth - 1 - v0};
  }
  void draw(const SeenBlock& b, MapCanvas& canvas) const override {
    const ViewExtent& e = frame_.extent;
    {
      const int u = b.u - e.minU, v = b.v - e.minV;
      const int lift = frame_.highestY - b.y;
      const sgimage::Rgba top = lit(b.topColour, b.topLight);
      if (!angled_) {
        const int sx = u, sy = v + lift;
        const int32_t d = v + b.y;
        if (b.hidden) {
          canvas.occlude(sx, sy + 1, d);
          return;
        }
        if (b.top) canvas.plot(sx, sy, d, top);
        if (b.sideV) canvas.plot(sx, sy + 1, d, lit(b.colour, 0.72 * b.sideVLight));
        return;
      }
      // Diagonal grid: p across, q down; a block's top covers two rows, its sides one below.
      const int p = u + (e.depth() - 1 - v), q = u + v;
      const int sy = q + lift;
      const int32_t d = q + b.y;
      if (b.hidden) {
        canvas.occlude(p, sy + 2, d);
        return;
      }
      if (b.top) {
        canvas.plot(p, sy, d, top);
        canvas.plot(p, sy + 1, d, top);
      }
      if (b.sideU || b.sideV) {
        double side = b.sideU && b.sideV ? 0.68 : b.sideV ? 0.78 : 0.6;
        canvas.plot(p, sy + 2, d, lit(b.colour, side * (b.sideV ? b.sideVLight : b.sideULight)));
      }
    }
  }

  bool angled_;
};

}  // namespace

std::unique_ptr<Painter> makeObliquePainter(const PaintOptions& r, const BlockLook& look, const MapFrame& f,
                                            bool angled) {
  return std::make_unique<ObliquePainter>(r, look, f, angled);
}

}  // namespace sgrender
