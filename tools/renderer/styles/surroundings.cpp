#include "renderer/styles/surroundings.h"

#include <algorithm>

namespace sgrender {

namespace {

long long key(long long cu, long long cv) { return (cu << 32) ^ (cv & 0xFFFFFFFFLL); }

// The chunk's square in view coordinates: its least u and v.
std::pair<int, int> viewCorner(const View& view, int chunkX, int chunkZ) {
  int u0 = INT_MAX, v0 = INT_MAX;
  for (int x : {0, 15})
    for (int z : {0, 15}) {
      auto [u, v] = view.toView(chunkX * 16 + x, chunkZ * 16 + z);
      u0 = std::min(u0, u);
      v0 = std::min(v0, v);
    }
  return {u0, v0};
}

}  // namespace

Surroundings::Surroundings(const View& view, bool biomes) : view_(view), biomes_(biomes) {
  auto [u0, v0] = viewCorner(view, 0, 0);
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      auto [u, v] = view.toView(x, z);
      cellOf_[static_cast<size_t>(z * 16 + x)] = cell(u - u0, v - v0);
    }
}

void Surroundings::prepare(const Chunk& c, const std::function<int(int, int)>& surface) {
  biome_.fill(kNoBiome);
  level_.fill(INT_MIN);
  const bool withBiomes = biomes_ && !c.biomes.empty();
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      const size_t i = at(x, z);
      level_[i] = surface(x, z);
      if (withBiomes) biome_[i] = c.biomeAt(x, level_[i] == INT_MIN ? c.minY : level_[i], z);
    }
  auto [u0, v0] = viewCorner(view_, c.chunkX, c.chunkZ);
  const long long cu = u0 >> 4, cv = v0 >> 4;
  take(cu, cv);

  // Biomes blended over the columns around (those known: the chunk's own, and the edges of the
  // chunks that came before it).
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < 16; ++i) {
      int n = 0, r = 0, g = 0, b = 0, fr = 0, fg = 0, fb = 0, wr = 0, wg = 0, wb = 0;
      for (int dj = -kMargin; dj <= kMargin; ++dj)
        for (int di = -kMargin; di <= kMargin; ++di) {
          const int ii = i + di, jj = j + dj;
          if (ii >= 16 || jj >= 16) continue;
          const size_t k = cell(ii, jj);
          if (level_[k] == INT_MIN && (ii < 0 || jj < 0)) continue;  // not known
          const BiomeTints& t = biomeTints(biome_[k]);
          ++n;
          r += t.grass.r, g += t.grass.g, b += t.grass.b;
          fr += t.foliage.r, fg += t.foliage.g, fb += t.foliage.b;
          wr += t.water.r, wg += t.water.g, wb += t.water.b;
        }
      auto avg = [&](int s) { return static_cast<uint8_t>((s + n / 2) / n); };
      tints_[cell(i, j)] = {{avg(r), avg(g), avg(b), 255}, {avg(fr), avg(fg), avg(fb), 255},
                            {avg(wr), avg(wg), avg(wb), 255}};
      // The rise over the columns towards the light; nothing where a neighbour is not known.
      const int h = level_[cell(i, j)];
      int rise = 0;
      for (size_t k : {cell(i - 1, j), cell(i, j - 1)})
        if (h != INT_MIN && level_[k] != INT_MIN) rise += h - level_[k];
      rise_[cell(i, j)] = rise;
    }
  keep(cu, cv);
}

// The edges that the chunks to the view's south, east and south-east will take.
void Surroundings::keep(long long cu, long long cv) {
  Strip south{}, east{}, corner{};
  for (int a = 0; a < 16; ++a)
    for (int b = 0; b < 2; ++b) {
      const size_t k = static_cast<size_t>(b * 16 + a);
      south.biome[k] = biome_[cell(a, 14 + b)], south.level[k] = level_[cell(a, 14 + b)];
      east.biome[k] = biome_[cell(14 + b, a)], east.level[k] = level_[cell(14 + b, a)];
    }
  for (int b = 0; b < 2; ++b)
    for (int a = 0; a < 2; ++a) {
      const size_t k = static_cast<size_t>(b * 2 + a);
      corner.biome[k] = biome_[cell(14 + a, 14 + b)], corner.level[k] = level_[cell(14 + a, 14 + b)];
    }
  fromNorth_[key(cu, cv + 1)] = south;
  fromWest_[key(cu + 1, cv)] = east;
  fromNorthWest_[key(cu + 1, cv + 1)] = corner;
}

// The edges of the chunks to the north, west and north-west, into the margin; each is taken once.
void Surroundings::take(long long cu, long long cv) {
  const long long k = key(cu, cv);
  if (auto it = fromNorth_.find(k); it != fromNorth_.end()) {
    for (int a = 0; a < 16; ++a)
      for (int b = 0; b < 2; ++b) {
        const size_t s = static_cast<size_t>(b * 16 + a);
        biome_[cell(a, b - 2)] = it->second.biome[s], level_[cell(a, b - 2)] = it->second.level[s];
      }
    fromNorth_.erase(it);
  }
  if (auto it = fromWest_.find(k); it != fromWest_.end()) {
    for (int a = 0; a < 16; ++a)
      for (int b = 0; b < 2; ++b) {
        const size_t s = static_cast<size_t>(b * 16 + a);
        biome_[cell(b - 2, a)] = it->second.biome[s], level_[cell(b - 2, a)] = it->second.level[s];
      }
    fromWest_.erase(it);
  }
  if (auto it = fromNorthWest_.find(k); it != fromNorthWest_.end()) {
    for (int b = 0; b < 2; ++b)
      for (int a = 0; a < 2; ++a) {
        const size_t s = static_cast<size_t>(b * 2 + a);
        biome_[cell(a - 2, b - 2)] = it->second.biome[s], level_[cell(a - 2, b - 2)] = it->second.level[s];
      }
    fromNorthWest_.erase(it);
  }
}

}  // namespace sgrender
