#include "worldgen/demo_terrain.h"

#include <algorithm>
#include <string>
#include <array>
#include <vector>
#include <cmath>

namespace sgworld {

namespace {

uint32_t hash(int x, int z, uint32_t seed, uint32_t salt = 0) {
  uint32_t h = seed * 0x9E3779B1u ^ salt * 0x85EBCA77u;
  h ^= static_cast<uint32_t>(x) * 0xC2B2AE3Du;
  h = (h ^ (h >> 15)) * 0x27D4EB2Fu;
  h ^= static_cast<uint32_t>(z) * 0x165667B1u;
  h = (h ^ (h >> 13)) * 0x85EBCA6Bu;
  return h ^ (h >> 16);
}

double unit(int x, int z, uint32_t seed, uint32_t salt) { return hash(x, z, seed, salt) / 4294967296.0; }

// Smooth value noise in -1..1 with cells of the given size.
double noise(double x, double z, double cell, uint32_t seed, uint32_t salt) {
  double fx = x / cell, fz = z / cell;
  int ix = static_cast<int>(std::floor(fx)), iz = static_cast<int>(std::floor(fz));
  double tx = fx - ix, tz = fz - iz;
  tx = tx * tx * (3 - 2 * tx);
  tz = tz * tz * (3 - 2 * tz);
  double a = unit(ix, iz, seed, salt), b = unit(ix + 1, iz, seed, salt);
  double c = unit(ix, iz + 1, seed, salt), d = unit(ix + 1, iz + 1, seed, salt);
  return 2 * (a + (b - a) * tx + (c - a) * tz + (a - b - c + d) * tx * tz) - 1;
}

struct Names {
  uint16_t air, stone, dirt, grass, sand, gravel, water, lava, bedrock, snow, log, leaves, birchLog, birchLeaves,
      coal, iron, gold, diamond, redstone, torch, deepslate, netherrack, glowstone, soulSand, quartz, sandstone;
  explicit Names(ChunkColumn& c)
      : air(0), stone(c.name("stone")), dirt(c.name("dirt")), grass(c.name("grass_block")), sand(c.name("sand")),
        gravel(c.name("gravel")), water(c.name("water")), lava(c.name("lava")), bedrock(c.name("bedrock")),
        snow(c.name("snow_block")), log(c.name("oak_log")), leaves(c.name("oak_leaves")),
        birchLog(c.name("birch_log")), birchLeaves(c.name("birch_leaves")), coal(c.name("coal_ore")),
        iron(c.name("iron_ore")), gold(c.name("gold_ore")), diamond(c.name("diamond_ore")),
        redstone(c.name("redstone_ore")), torch(c.name("torch")), deepslate(c.name("deepslate")),
        netherrack(c.name("netherrack")), glowstone(c.name("glowstone")), soulSand(c.name("soul_sand")),
        quartz(c.name("nether_quartz_ore")), sandstone(c.name("sandstone")) {}
};

int lightOf(const Names& n, uint16_t b) {
  if (b == n.lava || b == n.glowstone) return 15;
  if (b == n.torch) return 14;
  return 0;
}

bool seeThrough(const Names& n, uint16_t b) {
  return b == n.air || b == n.water || b == n.leaves || b == n.birchLeaves || b == n.torch;
}

// Light falls off by one a block from each source, through open space and water, spread
// breadth first as the game spreads it.
void storeLight(ChunkColumn& c, const Names& n) {
  c.light.assign(c.blocks.size(), 0);
  auto at = [&](int x, int y, int z) { return ((size_t(y - c.minY) * 16 + z) * 16) + x; };
  std::vector<std::array<int, 3>> queue;
  for (int y = c.minY; y < c.minY + c.height; ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x)
        if (int level = lightOf(n, c.at(x, y, z))) {
          c.light[at(x, y, z)] = static_cast<uint8_t>(level);
          queue.push_back({x, y, z});
        }
  static const int steps[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  for (size_t head = 0; head < queue.size(); ++head) {
    auto [x, y, z] = queue[head];
    int l = c.light[at(x, y, z)] - 1;
    if (l <= 0) continue;
    for (const auto& s : steps) {
      int px = x + s[0], py = y + s[1], pz = z + s[2];
      if (px < 0 || px > 15 || pz < 0 || pz > 15 || py < c.minY || py >= c.minY + c.height) continue;
      if (!seeThrough(n, c.at(px, py, pz)) || c.light[at(px, py, pz)] >= l) continue;
      c.light[at(px, py, pz)] = static_cast<uint8_t>(l);
      queue.push_back({px, py, pz});
    }
  }
}

void tree(ChunkColumn& c, const Names& n, int x, int y, int z, bool birch) {
  int trunk = 4 + (birch ? 1 : 0);
  uint16_t log = birch ? n.birchLog : n.log, leaves = birch ? n.birchLeaves : n.leaves;
  for (int dy = trunk - 2; dy <= trunk + 1; ++dy) {
    int r = dy > trunk - 1 ? 1 : 2;
    for (int dz = -r; dz <= r; ++dz)
      for (int dx = -r; dx <= r; ++dx)
        if (std::abs(dx) + std::abs(dz) < 2 * r + (r == 1 ? 0 : 1) && c.at(x + dx, y + dy, z + dz) == 0)
          c.set(x + dx, y + dy, z + dz, leaves);
  }
  for (int dy = 0; dy < trunk; ++dy) c.set(x, y + dy, z, log);
}

// The demo's biomes: the sea and its shores by height, snow on the heights, and elsewhere by
// two slow fields of warmth and wetness: desert, swamp, snowy plains, forest and plains.
const char* demoBiome(int wx, int wz, int h, uint32_t seed) {
  if (h < kSeaLevel - 4) return "ocean";
  if (h <= kSeaLevel + 1) return "beach";
  if (h > 96) return "snowy_plains";
  const double warm = noise(wx, wz, 220, seed, 81) + 0.2 * noise(wx, wz, 37, seed, 73),
               wet = noise(wx, wz, 180, seed, 71) + 0.2 * noise(wx, wz, 29, seed, 74);
  if (warm > 0.4 && wet < 0.0) return "desert";
  if (wet > 0.3) return "swamp";
  if (warm < -0.3) return "snowy_plains";
  return noise(wx, wz, 90, seed, 72) + 0.25 * noise(wx, wz, 23, seed, 75) > 0.0 ? "forest" : "plains";
}

void overworld(ChunkColumn& c, const Names& n, uint32_t seed) {
  const int bottom = c.minY, top = c.minY + c.height - 1;
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      const int wx = c.x * 16 + x, wz = c.z * 16 + z;
      const int h = std::min(demoSurface(wx, wz, seed), top - 8);
      const std::string biome = demoBiome(wx, wz, h, seed);
      c.setBiome(x, z, biome);
      c.set(x, bottom, z, n.bedrock);
      for (int y = bottom + 1; y <= h; ++y) {
        uint16_t b = y < 0 ? n.deepslate : n.stone;
        if (y > h - 4) b = biome == "desert" ? n.sand : n.dirt;
        if (y == h) b = biome == "desert" ? n.sand : n.grass;
        if (h <= kSeaLevel + 1 && y > h - 4) b = h < kSeaLevel - 4 ? n.gravel : n.sand;
        if (h <= kSeaLevel + 1 && y == h - 3) b = n.sandstone;
        if (h > 96 && y == h) b = n.snow;
        else if (h > 90 && y > h - 3) b = n.stone;
        c.set(x, y, z, b);
      }
      for (int y = h + 1; y <= kSeaLevel && y <= top; ++y) c.set(x, y, z, n.water);

      // Ores in the stone, deeper ones rarer.
      for (int y = bottom + 1; y < h - 4; ++y) {
        uint32_t r = hash(wx * 7 + y, wz * 13 - y, seed, 11) % 1000;
        uint16_t ore = 0;
        if (r < 9) ore = n.coal;
        else if (r < 14 && y < 64) ore = n.iron;
        else if (r < 16 && y < 32) ore = n.gold;
        else if (r < 18 && y < 16) ore = n.redstone;
        else if (r < 19 && y < 16) ore = n.diamond;
        if (ore) c.set(x, y, z, ore);
      }

      // Caves: winding tunnels at two depths, with lava pools in the deep ones and a torch now and then.
      for (int level = 0; level < 2; ++level) {
        double band = std::abs(noise(wx, wz, 28, seed, 20 + level));
        if (band > 0.08) continue;
        int centre = (level ? 20 : 38) + static_cast<int>(6 * noise(wx, wz, 40, seed, 30 + level));
        int half = band < 0.04 ? 2 : 1;
        for (int y = centre - half; y <= centre + half && y < h - 5; ++y)
          if (y > bottom + 1) c.set(x, y, z, n.air);
        if (level == 1 && centre - half - 1 > bottom + 1 && noise(wx, wz, 12, seed, 40) > 0.45)
          c.set(x, centre - half, z, n.lava);
        if (hash(wx, wz, seed, 41) % 97 == 0 && centre - half > bottom + 1) c.set(x, centre - half, z, n.torch);
      }
    }
  // Trees away from the chunk's edges, so that they stay whole.
  for (int z = 2; z < 14; ++z)
    for (int x = 2; x < 14; ++x) {
      const int wx = c.x * 16 + x, wz = c.z * 16 + z;
      const int h = demoSurface(wx, wz, seed);
      if (h <= kSeaLevel + 1 || h > 88 || h + 8 > top || hash(wx, wz, seed, 50) % 43) continue;
      if (std::string(demoBiome(wx, wz, h, seed)) == "desert") continue;
      tree(c, n, x, h + 1, z, hash(wx, wz, seed, 51) % 3 == 0);
    }
}

void theNether(ChunkColumn& c, const Names& n, uint32_t seed) {
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      const int wx = c.x * 16 + x, wz = c.z * 16 + z;
      int floor = 34 + static_cast<int>(14 * noise(wx, wz, 24, seed, 60));
      int roof = 96 + static_cast<int>(12 * noise(wx, wz, 20, seed, 61));
      for (int y = 0; y < 128; ++y) {
        uint16_t b = n.netherrack;
        if (y == 0 || y == 127) b = n.bedrock;
        else if (y > floor && y < roof) b = y <= 31 ? n.lava : n.air;
        else if (y == floor && noise(wx, wz, 10, seed, 62) > 0.5) b = n.soulSand;
        else if (hash(wx * 3 + y, wz, seed, 63) % 200 == 0) b = n.quartz;
        c.set(x, y, z, b);
      }
      for (int y = std::max(floor + 1, 1); y <= 31; ++y) c.set(x, y, z, n.lava);
      if (noise(wx, wz, 6, seed, 64) > 0.6)
        for (int y = roof - 3; y < roof; ++y) c.set(x, y, z, n.glowstone);
    }
}

}  // namespace

int demoSurface(int x, int z, uint32_t seed) {
  double h = 66 + 14 * noise(x, z, 96, seed, 1) + 6 * noise(x, z, 32, seed, 2) + 2 * noise(x, z, 8, seed, 3);
  double mountains = noise(x, z, 160, seed, 4);
  // Mountains rise where a slow field is high, broken into ridges by a quicker one.
  if (mountains > 0.05) h += (mountains - 0.05) * 70 * (0.5 + 0.5 * noise(x, z, 18, seed, 5));
  return std::clamp(static_cast<int>(h), 40, 110);
}

ChunkColumn demoChunk(int cx, int cz, uint32_t seed, Layout layout, bool nether) {
  ChunkColumn c(cx, cz, nether ? 0 : lowestLevel(layout), nether ? 128 : levelCount(layout));
  Names n(c);
  if (nether) theNether(c, n, seed);
  else overworld(c, n, seed);
  storeLight(c, n);
  return c;
}

}  // namespace sgworld
