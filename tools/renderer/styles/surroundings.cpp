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
  // chunks that came before it). Most chunks lie inside one biome, which needs no blending.
  std::array<const BiomeTints*, kSide * kSide> tint{};
  std::array<bool, kSide * kSide> known{};
  bool uniform = true;
  for (int j = -kMargin; j < 16; ++j)
    for (int i = -kMargin; i < 16; ++i) {
      const size_t k = cell(i, j);
      known[k] = (i >= 0 && j >= 0) || level_[k] != INT_MIN;
      tint[k] = &biomeTints(biome_[k]);
      if (known[k] && biome_[k] != biome_[cell(0, 0)]) uniform = false;
    }
  // The window's sums, a row at a time and then down the columns (nine channels and a count),
  // each from running sums: a window's sum is the running sum at its end less that before it.
  using Sums = std::array<int, 10>;
  std::array<Sums, kSide * 16> across{};  // row j (margin included) by column i (0 to 15)
  std::array<Sums, kSide + 1> running{};
  if (!uniform)
    for (int j = -kMargin; j < 16; ++j) {
      for (int i = -kMargin; i < 16; ++i) {
        Sums& r = running[static_cast<size_t>(i + kMargin + 1)];
        r = running[static_cast<size_t>(i + kMargin)];
        const size_t k = cell(i, j);
        if (!known[k]) continue;
        const BiomeTints& t = *tint[k];
        const sgimage::Rgba parts[3] = {t.grass, t.foliage, t.water};
        for (int p = 0; p < 3; ++p) r[3 * p] += parts[p].r, r[3 * p + 1] += parts[p].g, r[3 * p + 2] += parts[p].b;
        ++r[9];
      }
      // Column i's window runs from i - 2 to i + 2, cut at the chunk's east edge.
      for (int i = 0; i < 16; ++i) {
        const Sums& to = running[static_cast<size_t>(std::min(15, i + kMargin) + kMargin + 1)];
        const Sums& before = running[static_cast<size_t>(i - kMargin + kMargin)];
        Sums& h = across[static_cast<size_t>((j + kMargin) * 16 + i)];
        for (size_t q = 0; q < h.size(); ++q) h[q] = to[q] - before[q];
      }
    }
  std::array<std::array<Sums, kSide + 1>, 16> down{};  // column i's running sums of `across` down the rows
  if (!uniform)
    for (int i = 0; i < 16; ++i)
      for (int j = -kMargin; j < 16; ++j) {
        const Sums& h = across[static_cast<size_t>((j + kMargin) * 16 + i)];
        const Sums& above = down[static_cast<size_t>(i)][static_cast<size_t>(j + kMargin)];
        Sums& r = down[static_cast<size_t>(i)][static_cast<size_t>(j + kMargin + 1)];
        for (size_t q = 0; q < r.size(); ++q) r[q] = above[q] + h[q];
      }
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < 16; ++i) {
      const size_t at = cell(i, j);
      if (uniform) {
        tints_[at] = *tint[at];
      } else {
        // Row j's window runs from j - 2 to j + 2, cut at the chunk's south edge.
        const auto& column = down[static_cast<size_t>(i)];
        const Sums& to = column[static_cast<size_t>(std::min(15, j + kMargin) + kMargin + 1)];
        const Sums& before = column[static_cast<size_t>(j - kMargin + kMargin)];
        Sums sum{};
        for (size_t q = 0; q < sum.size(); ++q) sum[q] = to[q] - before[q];
        const int n = std::max(1, sum[9]);
        auto avg = [&](int p) {
          return sgimage::Rgba{static_cast<uint8_t>((sum[3 * p] + n / 2) / n),
                               static_cast<uint8_t>((sum[3 * p + 1] + n / 2) / n),
                               static_cast<uint8_t>((sum[3 * p + 2] + n / 2) / n), 255};
        };
        tints_[at] = {avg(0), avg(1), avg(2)};
      }
      // The rise over the columns towards the light; nothing where a neighbour is not known.
      const int h = level_[at];
      int rise = 0;
      for (size_t k : {cell(i - 1, j), cell(i, j - 1)})
        if (h != INT_MIN && level_[k] != INT_MIN) rise += h - level_[k];
      rise_[at] = rise;
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
