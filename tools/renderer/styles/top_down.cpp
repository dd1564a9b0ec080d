#include "renderer/styles/top_down.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <climits>
#include <cmath>

#include "renderer/blocks/block_colours.h"
#include "renderer/blocks/block_names.h"
#include "renderer/styles/surroundings.h"

namespace sgrender {

namespace {

// Where a column's drawing starts, and which way it goes: down from the top, or up from the
// bottom for the world seen from below. The Nether starts under its bedrock roof; cave mode
// under the first ground, in the open space below it.
struct ColumnScan {
  int start, end, step;  // end is exclusive
};

bool solidAt(const Chunk& c, int x, int y, int z) { return c.id(x, y, z) != kAir && !isWater(c.id(x, y, z)); }

ColumnScan scanOf(const Chunk& c, int x, int z, const PaintOptions& r) {
  const int bottom = c.minY, top = c.topY();
  if (r.upsideDown) return {bottom, top + 1, 1};
  int y = top;
  if (r.nether) {
    while (y >= bottom && c.id(x, y, z) == kAir) --y;  // the void above the roof
    while (y >= bottom && c.id(x, y, z) != kAir) --y;  // the roof itself
  }
  if (r.cave) {
    // The open sky, water, and the trees and plants that stand in them; then the ground.
    while (y >= bottom && (!solidAt(c, x, y, z) || treeOrPlant(c.id(x, y, z)))) --y;
    while (y >= bottom && solidAt(c, x, y, z)) --y;
  }
  return {y, bottom - 1, -1};
}

// Water seen from above: the layers it takes until nothing of its floor shows.
constexpr int kDeepestSeen = 16;

}  // namespace

namespace {

sgimage::Rgba ramp(double at, const std::initializer_list<std::pair<double, sgimage::Rgba>>& stops) {
  const auto* prev = stops.begin();
  if (at <= prev->first) return prev->second;
  for (const auto* s = prev + 1; s != stops.end(); prev = s, ++s)
    if (at <= s->first) return mixColours(prev->second, s->second, (at - prev->first) / (s->first - prev->first));
  return prev->second;
}

}  // namespace

sgimage::Rgba seaLevelColour(int y, int seaLevel) {
  if (y < seaLevel)
    return ramp(seaLevel - y, {{1, {90, 160, 235, 255}},
                               {12, {40, 95, 200, 255}},
                               {48, {20, 40, 130, 255}},
                               {128, {8, 14, 60, 255}}});
  return ramp(y - seaLevel, {{0, {214, 200, 140, 255}},
                             {4, {96, 168, 64, 255}},
                             {30, {196, 186, 90, 255}},
                             {60, {140, 106, 64, 255}},
                             {95, {150, 150, 150, 255}},
                             {140, {255, 255, 255, 255}}});
}

sgimage::Rgba lightColour(int blockLight, double skyShare, sgimage::Rgba ground) {
  // The map from above, tinted by the class of light, so that the land reads under it: red where
  // no block lights the ground, orange where blocks light it dimly, yellow to white where they
  // light it well. The tint dims with the sky, as the map does.
  const sgimage::Rgba tint = blockLight <= 0   ? sgimage::Rgba{200, 35, 30, 255}
                             : blockLight <= 7 ? sgimage::Rgba{235, 140, 30, 255}
                                               : mixColours({235, 220, 70, 255}, {255, 252, 215, 255}, (blockLight - 8) / 7.0);
  const double share = blockLight <= 0 ? 0.5 : blockLight <= 7 ? 0.5 : 0.55;
  sgimage::Rgba c = mixColours(ground, lit(tint, 0.45 + 0.55 * std::clamp(skyShare, 0.0, 1.0)), share);
  c.a = ground.a;
  return c;
}

sgimage::Rgba columnColour(const Chunk& c, int x, int z, const BlockLook& look, const PaintOptions& r,
                           TopDownMode mode, const ColumnSurroundings& around) {
  if (c.height == 0) return {};
  const ColumnScan scan = scanOf(c, x, z, r);
  const int wx = c.chunkX * 16 + x, wz = c.chunkZ * 16 + z;
  const double range = std::max(1, c.worldTop - c.worldMinY);

  if (mode != TopDownMode::Normal) {
    // The first solid block that the filters let through.
    for (int y = scan.start; y != scan.end; y += scan.step) {
      uint16_t id = c.id(x, y, z);
      if (!look.drawn(id, y) || seeThroughBlock(id)) continue;
      if (mode == TopDownMode::HeightColour) return seaLevelColour(y, around.seaLevel);
      if (mode == TopDownMode::HeightGrey) {
        double t = (y - c.worldMinY) / range;
        uint8_t g = static_cast<uint8_t>(std::lround(std::clamp(t, 0.0, 1.0) * 255));
        return {g, g, g, 255};
      }
      const int next = y - scan.step;
      const sgimage::Rgba ground = columnColour(c, x, z, look, r, TopDownMode::Normal, around);
      return lightColour(c.holds(next) ? c.lightAt(x, next, z) : 0, look.ambient(), ground);
    }
    return {};
  }

  // Relief: a surface rising towards the light (the view's north-west) is lit, one falling
  // away from it shaded; flat land keeps its colour. A slope of one block a block (the rise
  // over two neighbours is 2) is a fifth brighter or darker than flat land.
  const bool relief = !r.cave && !r.upsideDown;
  const double facing = relief ? 1.0 + 0.1 * std::clamp(around.rise, -4, 4) : 1.0;
  if (around.start == INT_MAX) return {};
  // What the column shows, premultiplied: the layers above any water, and what lies under the
  // water, kept apart; then the water itself (see below).
  struct Layers {
    double r = 0, g = 0, b = 0, a = 0;
  } top, under;
  int waterLayers = 0;
  sgimage::Rgba waterTint{};
  bool ground = false;
  for (int y = around.start == INT_MIN ? scan.start : around.start; y != scan.end; y += scan.step) {
    Layers& into = waterLayers > 0 ? under : top;
    if (into.a >= 0.996) break;
    uint16_t id = c.id(x, y, z);
    if (!look.drawn(id, y)) continue;
    sgimage::Rgba col = look.colour(id, c.dataAt(x, y, z), wx, y, wz, around.tints);
    if (col.a == 0) continue;
    if (r.cave) col = caveColour(col, y);  // cave floors in the colour of their depth
    if (isWater(id) && !r.cave) {
      // Water under a floor already seen is hidden by it; below 16 layers, none of the floor
      // shows any more.
      if (under.a > 0 || waterLayers == kDeepestSeen) break;
      if (waterLayers++ == 0) waterTint = col;
      continue;
    }
    // Higher ground is a little brighter, so that the land's height reads.
    double shade = std::clamp(0.88 + (y - 64) * 0.0015, 0.7, 1.03);
    shade *= look.light(c, x, y - scan.step, z);
    if (!ground && col.a == 255) {
      ground = true;
      shade *= facing;
    }
    const double w = (1.0 - into.a) * col.a / 255.0;
    into.r += w * col.r * shade;
    into.g += w * col.g * shade;
    into.b += w * col.b * shade;
    into.a += w;
    if (r.cave) break;  // the floor alone
  }
  double r0 = top.r, g0 = top.g, b0 = top.b, a = top.a;
  if (waterLayers > 0) {
    // Water takes the red of what lies under it first, then the green, the blue last, as it
    // deepens, and gives back the colour of its depths: shallows show their floor tinted blue,
    // the deep sea is a dark, saturated blue, all in the tint of the biome's water (a swamp's
    // murky green, a warm ocean's turquoise). Each layer darkens it a step more. Where nothing
    // lies under the water, its depths show.
    const double rest = 1.0 - a;
    auto channel = [&](double tint, double floor) {
      const double t = tint / 255.0;
      const double through = std::exp(-(1.6 * (1.0 - t) + 0.1) * waterLayers);
      const double depths = 255.0 * t * t * 0.55;
      return through * (floor + (1.0 - under.a) * depths) + (1.0 - through) * depths;
    };
    r0 += rest * channel(waterTint.r, under.r);
    g0 += rest * channel(waterTint.g, under.g);
    b0 += rest * channel(waterTint.b, under.b);
    a = 1.0;
  }
  if (a <= 0) return {};
  auto channel = [&](double v) { return static_cast<uint8_t>(std::clamp(v / a + 0.5, 0.0, 255.0)); };
  // A column seen through so many layers of water or glass that nothing more shows is opaque.
  uint8_t alpha = a >= 0.99 ? 255 : static_cast<uint8_t>(std::clamp(a * 255.0 + 0.5, 0.0, 255.0));
  return {channel(r0), channel(g0), channel(b0), alpha};
}

namespace {

// Whether a drawn block is a column's surface: water, or a block that hides most of what is
// below (not glass, flowers or grass).
bool surfaceBlock(uint16_t id, uint8_t data) { return isWater(id) || blockColour(id, data).a >= 210; }

// Where a column's drawing starts (its first block drawn, INT_MAX for none) and the level of its
// surface, as the scan meets them.
std::pair<int, int> columnStart(const Chunk& c, int x, int z, const BlockLook& look, const PaintOptions& r) {
  int first = INT_MAX;
  if (c.height == 0) return {first, INT_MIN};
  const ColumnScan scan = scanOf(c, x, z, r);
  for (int y = scan.start; y != scan.end; y += scan.step) {
    const uint16_t id = c.id(x, y, z);
    if (!look.drawn(id, y)) continue;
    if (first == INT_MAX) first = y;
    if (surfaceBlock(id, c.dataAt(x, y, z))) return {first, y};
  }
  return {first, INT_MIN};
}

// Seen from above, a column shows nothing below its first block that is drawn, whole and
// neither water nor see-through: each style's scan down the column ends there at the latest.
// Once every column of a chunk has one, the levels below are hidden.
class HiddenUnderGround : public HiddenBelow {
 public:
  // Which blocks, drawn, end a column (a block's opacity is the same whatever its data value,
  // and the filters draw a block at every level they show, or at none).
  explicit HiddenUnderGround(const BlockLook& look) : look_(look), ends_(kBlockIdLimit) {
    for (uint16_t id = 1; id < kBlockIdLimit; ++id)
      ends_[id] = !isWater(id) && !seeThroughBlock(id) && look.drawnBlock(id);
  }
  bool hides(const Chunk& c, int bottom, int top, std::array<uint8_t, 256>& covered) const override {
    int count = 0;
    for (uint8_t v : covered) count += v;
    // A level at a time, from the top: its 256 columns lie side by side; a level of air alone, or
    // one the filters leave out, is passed over at once.
    for (int y = top; y >= bottom && count < 256; --y) {
      if (!look_.layerShown(y)) continue;
      const uint16_t* ids = c.ids.data() + c.index(0, y, 0);
      if (std::all_of(ids, ids + 256, [](uint16_t id) { return id == 0; })) continue;
      for (size_t col = 0; col < 256; ++col) {
        const uint16_t id = ids[col];
        const uint8_t now = covered[col] | ends_[id < kBlockIdLimit ? id : 0];
        count += now - covered[col];
        covered[col] = now;
      }
    }
    return count == 256;
  }

 private:
  const BlockLook& look_;
  std::vector<uint8_t> ends_;
};

// Where each column's drawing starts and its surface, worked out on a decoding thread.
struct ColumnStarts : ChunkPrep {
  std::array<int, 256> first{}, surface{};  // by z * 16 + x
};

class TopDownPainter : public Painter {
 public:
  TopDownPainter(const PaintOptions& r, const BlockLook& look, const MapFrame& f, TopDownMode mode)
      : request_(r), look_(look), frame_(f), mode_(mode), around_(f.view, !r.noBiomes), hidden_(look) {}
  // The scan down from the top alone: cave mode, the Nether's roof and the world seen from
  // below look further.
  const HiddenBelow* hiddenBelow() const override {
    return request_.cave || request_.nether || request_.upsideDown ? nullptr : &hidden_;
  }
  int width() const override { return frame_.extent.width(); }
  int height() const override { return frame_.extent.depth(); }
  std::unique_ptr<ChunkPrep> prepare(const Chunk& c) const override {
    if (!seesAround()) return nullptr;
    auto starts = std::make_unique<ColumnStarts>();
    if (request_.upsideDown || request_.nether || request_.cave || c.height == 0) {
      for (size_t i = 0; i < 256; ++i)
        std::tie(starts->first[i], starts->surface[i]) =
            columnStart(c, static_cast<int>(i & 15), static_cast<int>(i >> 4), look_, request_);
      return starts;
    }
    // Every column scanned down from the chunk's top: the same as each column's own scan, a level
    // of 256 columns at a time, so that the air above the ground is passed over a level at once.
    starts->first.fill(INT_MAX);
    starts->surface.fill(INT_MIN);
    std::array<uint8_t, 256> found{};
    int left = 256;
    for (int y = c.topY(); y >= c.minY && left > 0; --y) {
      if (!look_.layerShown(y)) continue;
      const size_t level = c.index(0, y, 0);
      const uint16_t* ids = c.ids.data() + level;
      if (std::all_of(ids, ids + 256, [](uint16_t id) { return id == kAir; })) continue;
      for (size_t i = 0; i < 256; ++i) {
        const uint16_t id = ids[i];
        if (found[i] || !look_.drawnBlock(id)) continue;
        if (starts->first[i] == INT_MAX) starts->first[i] = y;
        if (surfaceBlock(id, c.data[level + i])) {
          starts->surface[i] = y;
          found[i] = 1;
          --left;
        }
      }
    }
    return starts;
  }
  void prime(const Chunk& c) override {
    if (seesAround()) seeAround(c, nullptr);
  }
  void paintPrepared(const Chunk& c, const ChunkPrep* prep, MapCanvas& canvas) override {
    ColumnSurroundings column;
    column.seaLevel = frame_.seaLevel;
    if (seesAround()) seeAround(c, static_cast<const ColumnStarts*>(prep));
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        if (seesAround()) {
          column.tints = &around_.tints(x, z);
          // The light map keeps no relief: it reads the same turned to any side.
          column.rise = mode_ == TopDownMode::Normal ? around_.rise(x, z) : 0;
          column.start = starts_[static_cast<size_t>(z * 16 + x)];
        }
        auto [u, v] = frame_.view.toView(c.chunkX * 16 + x, c.chunkZ * 16 + z);
        canvas.set(u - frame_.extent.minU, v - frame_.extent.minV,
                   columnColour(c, x, z, look_, request_, mode_, column));
      }
  }

 private:
  // The map from above, and the light map drawn over it, blend biomes across borders.
  bool seesAround() const { return mode_ == TopDownMode::Normal || mode_ == TopDownMode::Light; }
  // From the columns' starts worked out on a decoding thread, or here when none were.
  void seeAround(const Chunk& c, const ColumnStarts* prepared) {
    std::unique_ptr<ChunkPrep> own;
    if (!prepared) {
      own = prepare(c);
      prepared = static_cast<const ColumnStarts*>(own.get());
    }
    starts_ = prepared->first;
    around_.prepare(c, [&](int x, int z) { return prepared->surface[static_cast<size_t>(z * 16 + x)]; });
  }

  const PaintOptions request_;
  const BlockLook& look_;
  MapFrame frame_;
  TopDownMode mode_;
  Surroundings around_;
  std::array<int, 256> starts_{};
  HiddenUnderGround hidden_;
};

}  // namespace

std::unique_ptr<Painter> makeTopDownPainter(const PaintOptions& r, const BlockLook& look, const MapFrame& f) {
  TopDownMode mode = r.style == Style::HeightmapColor ? TopDownMode::HeightColour
                     : r.style == Style::HeightmapGray ? TopDownMode::HeightGrey
                     : r.style == Style::Lightmap      ? TopDownMode::Light
                                                  : TopDownMode::Normal;
  return std::make_unique<TopDownPainter>(r, look, f, mode);
}

}  // namespace sgrender
