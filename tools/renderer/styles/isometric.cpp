// The isometric style: 2:1 blocks four pixels wide, a lit top and two shaded sides, the nearer
// block winning each pixel. The view's +u side shows on the right, its +v side on the left.
#include <utility>

#include "renderer/styles/block_faces.h"

namespace sgrender {

namespace {

// The sprite of one block, four pixels wide and four high:
//   .TT.
//   TTTT    T the top, L the +v side, R the +u side
//   LLRR
//   LLRR
constexpr std::pair<int, int> kTop[] = {{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}};
constexpr std::pair<int, int> kLeft[] = {{0, 2}, {1, 2}, {0, 3}, {1, 3}};
constexpr std::pair<int, int> kRight[] = {{2, 2}, {3, 2}, {2, 3}, {3, 3}};

class IsometricPainter : public ProjectedPainter {
 public:
  using ProjectedPainter::ProjectedPainter;
  int width() const override { return 2 * (frame_.extent.width() + frame_.extent.depth()); }
  int height() const override { return frame_.extent.width() + frame_.extent.depth() + 2 * levels_ + 2; }

 private:
  std::pair<int, int> rowsFor(int u0, int u1, int v0, int v1, int lift0, int lift1) const override {
    return {u0 + v0 + 2 * lift0, u1 + v1 + 2 * lift1 + 3};
  }
  std::pair<int, int> columnsFor(int u0, int u1, int v0, int v1) const override {
    const int depth = frame_.extent.depth();
    return {2 * (u0 + depth - 1 - v1), 2 * (u1 + depth - 1 - v0) + 3};
  }
  void draw(const SeenBlock& b, MapCanvas& canvas) const override {
    const ViewExtent& e = frame_.extent;
    {
      const int u = b.u - e.minU, v = b.v - e.minV;
      const int sx = 2 * (u + (e.depth() - 1 - v)), sy = u + v + 2 * (frame_.highestY - b.y);
      const int32_t d = u + v + 2 * b.y;
      // Each face's shade, for the faces shown.
      const sgimage::Rgba top = b.top ? lit(b.topColour, b.topLight) : sgimage::Rgba{};
      const sgimage::Rgba left = b.sideV ? lit(b.colour, 0.8 * b.sideVLight) : sgimage::Rgba{};
      const sgimage::Rgba right = b.sideU ? lit(b.colour, 0.62 * b.sideULight) : sgimage::Rgba{};
      if (b.hidden) {
        for (const auto& [col, row] : kLeft) canvas.occlude(sx + col, sy + row, d);
        for (const auto& [col, row] : kRight) canvas.occlude(sx + col, sy + row, d);
        return;
      }
      if (b.top)
        for (const auto& [col, row] : kTop) {
          // The pixels a see-through top shares with the tops beside it towards +u (the right
          // end of its lower row) and +v (the left end) go to those nearer tops.
          if (row == 1 && ((col == 3 && b.surfaceOnU) || (col == 0 && b.surfaceOnV))) continue;
          canvas.plot(sx + col, sy + row, d, top);
        }
      if (b.sideV)
        for (const auto& [col, row] : kLeft) canvas.plot(sx + col, sy + row, d, left);
      if (b.sideU)
        for (const auto& [col, row] : kRight) canvas.plot(sx + col, sy + row, d, right);
    }
  }
};

}  // namespace

std::unique_ptr<Painter> makeIsometricPainter(const PaintOptions& r, const BlockLook& look, const MapFrame& f) {
  return std::make_unique<IsometricPainter>(r, look, f);
}

}  // namespace sgrender
