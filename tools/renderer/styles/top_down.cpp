#include "renderer/styles/top_down.h"

#include <algorithm>

#include "renderer/blocks/block_colours.h"
#include "renderer/blocks/block_names.h"

namespace sgrender {

ColumnRules::ColumnRules(const RenderRequest& r) : layer(kLevelCount, true), block(kBlockIdLimit, true) {
  auto level = [](int y) { return static_cast<size_t>(y - kLowestLevel); };
  if (r.onlyLayers) {
    std::fill(layer.begin(), layer.end(), false);
    for (int l : *r.onlyLayers) layer[level(l)] = true;
  }
  if (r.notLayers)
    for (int l : *r.notLayers) layer[level(l)] = false;
  if (r.onlyBlocks) {
    std::fill(block.begin(), block.end(), false);
    for (int b : *r.onlyBlocks) block[static_cast<size_t>(b)] = true;
  }
  if (r.notBlocks)
    for (int b : *r.notBlocks) block[static_cast<size_t>(b)] = false;
  block[kAir] = false;
  ignoreWater = r.ignoreWater;
  cave = r.cave;
  nether = r.nether;
  ambient = r.time == TimeOfDay::Night ? 0.2 : r.time == TimeOfDay::Twilight ? 0.6 : 1.0;
}

sgimage::Rgba columnColour(const Chunk& c, int x, int z, const ColumnRules& rules) {
  int y = c.topY();
  const int bottom = c.minY;
  if (rules.nether) {
    // Look under the roof: skip the solid top down to the first open space.
    while (y >= bottom && c.id(x, y, z) != kAir) --y;
  }
  if (rules.cave) {
    // Caves are the open spaces under the ground: pass the open sky and the first solid
    // ground, then draw from the first open space beneath it.
    while (y >= bottom && c.id(x, y, z) == kAir) --y;
    while (y >= bottom && c.id(x, y, z) != kAir) --y;
    if (y < bottom) return {};
  }
  double r = 0, g = 0, b = 0, a = 0;
  for (; y >= bottom && a < 0.996; --y) {
    if (!rules.layerShown(y)) continue;
    uint16_t id = c.id(x, y, z);
    if (id >= rules.block.size() || !rules.block[id]) continue;
    if (rules.ignoreWater && isWater(id)) continue;
    sgimage::Rgba col = blockColour(id, c.dataAt(x, y, z));
    if (col.a == 0) continue;
    // Higher ground is drawn a little brighter so that the land's shape shows.
    double shade = std::clamp(0.85 + (y - 64) * 0.0035, 0.5, 1.0);
    if (rules.ambient < 1.0) {
      int above = c.holds(y + 1) ? c.lightAt(x, y + 1, z) : 0;
      shade *= rules.ambient + (1.0 - rules.ambient) * above / 15.0;
    }
    double w = (1.0 - a) * col.a / 255.0;
    r += w * col.r * shade;
    g += w * col.g * shade;
    b += w * col.b * shade;
    a += w;
  }
  if (a <= 0) return {};
  auto channel = [&](double v) { return static_cast<uint8_t>(std::clamp(v / a + 0.5, 0.0, 255.0)); };
  // A column seen through so many layers of water or glass that nothing more shows is opaque.
  uint8_t alpha = a >= 0.99 ? 255 : static_cast<uint8_t>(std::clamp(a * 255.0 + 0.5, 0.0, 255.0));
  return {channel(r), channel(g), channel(b), alpha};
}

void drawChunk(const Chunk& c, const ColumnRules& rules, sgimage::RgbaImage& image,
               int originX, int originZ) {
  for (int z = 0; z < 16; ++z) {
    int py = c.chunkZ * 16 + z - originZ;
    if (py < 0 || py >= image.height()) continue;
    for (int x = 0; x < 16; ++x) {
      int px = c.chunkX * 16 + x - originX;
      if (px < 0 || px >= image.width()) continue;
      image.set(px, py, columnColour(c, x, z, rules));
    }
  }
}

}  // namespace sgrender
