#include "renderer/styles/top_down.h"

#include <algorithm>
#include <cmath>

#include "renderer/blocks/block_colours.h"

namespace sgrender {

namespace {

// Where a column's drawing starts, and which way it goes: down from the top, or up from the
// bottom for the world seen from below. The Nether starts under its bedrock roof; cave mode
// under the first ground, in the open space below it.
struct ColumnScan {
  int start, end, step;  // end is exclusive
};

bool solidAt(const Chunk& c, int x, int y, int z) { return c.id(x, y, z) != kAir && !isWater(c.id(x, y, z)); }

ColumnScan scanOf(const Chunk& c, int x, int z, const RenderRequest& r) {
  const int bottom = c.minY, top = c.topY();
  if (r.upsideDown) return {bottom, top + 1, 1};
  int y = top;
  if (r.nether) {
    while (y >= bottom && c.id(x, y, z) == kAir) --y;  // the void above the roof
    while (y >= bottom && c.id(x, y, z) != kAir) --y;  // the roof itself
  }
  if (r.cave) {
    while (y >= bottom && !solidAt(c, x, y, z)) --y;  // the open sky, and water
    while (y >= bottom && solidAt(c, x, y, z)) --y;   // the ground
  }
  return {y, bottom - 1, -1};
}

}  // namespace

sgimage::Rgba heightRamp(double t) {
  static const struct {
    double at;
    sgimage::Rgba c;
  } stops[] = {{0.0, {10, 20, 90, 255}},    {0.30, {30, 80, 190, 255}},  {0.33, {220, 210, 150, 255}},
               {0.40, {70, 160, 50, 255}},  {0.55, {40, 110, 30, 255}},  {0.70, {130, 100, 60, 255}},
               {0.85, {140, 140, 140, 255}}, {1.0, {255, 255, 255, 255}}};
  t = std::clamp(t, 0.0, 1.0);
  for (size_t i = 1; i < std::size(stops); ++i)
    if (t <= stops[i].at)
      return mixColours(stops[i - 1].c, stops[i].c, (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
  return stops[std::size(stops) - 1].c;
}

sgimage::Rgba columnColour(const Chunk& c, int x, int z, const BlockLook& look, const RenderRequest& r,
                           TopDownMode mode) {
  if (c.height == 0) return {};
  const ColumnScan scan = scanOf(c, x, z, r);
  const int wx = c.chunkX * 16 + x, wz = c.chunkZ * 16 + z;
  const double range = std::max(1, c.worldTop - c.worldMinY);

  if (mode != TopDownMode::Normal) {
    // The first solid block that the filters let through.
    for (int y = scan.start; y != scan.end; y += scan.step) {
      uint16_t id = c.id(x, y, z);
      if (!look.drawn(id, y) || seeThroughBlock(id)) continue;
      double t = (y - c.worldMinY) / range;
      if (mode == TopDownMode::HeightColour) return heightRamp(t);
      if (mode == TopDownMode::HeightGrey) {
        uint8_t g = static_cast<uint8_t>(std::lround(std::clamp(t, 0.0, 1.0) * 255));
        return {g, g, g, 255};
      }
      // The light at the surface: the sky's as a cool blue, the blocks' as a warm yellow.
      int next = y - scan.step;
      int block = c.holds(next) ? c.lightAt(x, next, z) : 0;
      double sky = look.ambient();
      double warm = block / 15.0;
      auto ch = [&](double cool, double hot) {
        return static_cast<uint8_t>(std::clamp(std::lround(cool * sky + hot * warm), 0L, 255L));
      };
      return {ch(70, 255), ch(110, 200), ch(190, 60), 255};
    }
    return {};
  }

  double r0 = 0, g0 = 0, b0 = 0, a = 0;
  for (int y = scan.start; y != scan.end && a < 0.996; y += scan.step) {
    uint16_t id = c.id(x, y, z);
    if (!look.drawn(id, y)) continue;
    sgimage::Rgba col = look.colour(id, c.dataAt(x, y, z), wx, y, wz);
    if (col.a == 0) continue;
    if (r.cave) {
      // Cave floors take the colour of their depth, so that the levels of a cave system read.
      col = caveColour(col, y);
    }
    // Higher ground is drawn a little brighter so that the land's shape shows.
    double shade = std::clamp(0.80 + (y - 64) * 0.003, 0.55, 1.05);
    shade *= look.light(c, x, y - scan.step, z);
    double w = (1.0 - a) * col.a / 255.0;
    r0 += w * col.r * shade;
    g0 += w * col.g * shade;
    b0 += w * col.b * shade;
    a += w;
    if (r.cave) break;  // the floor alone
  }
  if (a <= 0) return {};
  auto channel = [&](double v) { return static_cast<uint8_t>(std::clamp(v / a + 0.5, 0.0, 255.0)); };
  // A column seen through so many layers of water or glass that nothing more shows is opaque.
  uint8_t alpha = a >= 0.99 ? 255 : static_cast<uint8_t>(std::clamp(a * 255.0 + 0.5, 0.0, 255.0));
  return {channel(r0), channel(g0), channel(b0), alpha};
}

namespace {

class TopDownPainter : public Painter {
 public:
  TopDownPainter(const RenderRequest& r, const BlockLook& look, const MapFrame& f, TopDownMode mode)
      : request_(r), look_(look), frame_(f), mode_(mode) {}
  int width() const override { return frame_.extent.width(); }
  int height() const override { return frame_.extent.depth(); }
  void paint(const Chunk& c, MapCanvas& canvas) override {
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        auto [u, v] = frame_.view.toView(c.chunkX * 16 + x, c.chunkZ * 16 + z);
        canvas.set(u - frame_.extent.minU, v - frame_.extent.minV, columnColour(c, x, z, look_, request_, mode_));
      }
  }

 private:
  const RenderRequest& request_;
  const BlockLook& look_;
  MapFrame frame_;
  TopDownMode mode_;
};

}  // namespace

std::unique_ptr<Painter> makeTopDownPainter(const RenderRequest& r, const BlockLook& look, const MapFrame& f) {
  TopDownMode mode = r.style == "heightmapcolor" ? TopDownMode::HeightColour
                     : r.style == "heightmapgray" ? TopDownMode::HeightGrey
                     : r.style == "lightmap"      ? TopDownMode::Light
                                                  : TopDownMode::Normal;
  return std::make_unique<TopDownPainter>(r, look, f, mode);
}

std::unique_ptr<Painter> makePainter(const RenderRequest& r, const BlockLook& look, const MapFrame& f) {
  if (r.style == "oblique") return makeObliquePainter(r, look, f, false);
  if (r.style == "obliqueangled") return makeObliquePainter(r, look, f, true);
  if (r.style == "isometric") return makeIsometricPainter(r, look, f);
  return makeTopDownPainter(r, look, f);
}

}  // namespace sgrender
