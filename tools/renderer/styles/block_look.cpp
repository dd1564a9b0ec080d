#include "renderer/styles/block_look.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "renderer/blocks/block_colours.h"
#include "renderer/blocks/block_names.h"

namespace sgrender {

namespace {

// Natural ground that x-ray makes see-through: stone, dirt, gravel, sand-free ground, deepslate,
// netherrack and their kin.
bool naturalGround(uint16_t id) {
  static const std::vector<bool> ground = [] {
    std::vector<bool> g(kBlockIdLimit, false);
    for (uint16_t id : {1, 2, 3, 7, 13, 87, 88, 110, 121}) g[id] = true;  // stone .. end stone
    for (const char* n : {"deepslate", "tuff", "calcite", "dripstone_block", "smooth_basalt", "basalt",
                          "blackstone", "rooted_dirt", "mud", "moss_block", "coarse_dirt", "podzol",
                          "cobbled_deepslate", "andesite", "diorite", "granite", "soul_soil", "crimson_nylium",
                          "warped_nylium"})
      if (const BlockName* b = findBlockName(n)) g[b->id] = true;
    return g;
  }();
  return id < ground.size() && ground[id];
}

uint32_t mix(int x, int y, int z) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
               static_cast<uint32_t>(z) * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  return h ^ (h >> 15);
}

}  // namespace

bool seeThroughBlock(uint16_t id) {
  static const std::vector<bool> clear = [] {
    std::vector<bool> c(kBlockIdLimit);
    for (size_t i = 0; i < c.size(); ++i) c[i] = i == 0 || blockColour(static_cast<uint16_t>(i)).a < 255;
    return c;
  }();
  return id >= clear.size() || clear[id];
}

namespace {

std::vector<bool> idsNamed(std::initializer_list<const char*> words, std::initializer_list<uint16_t> old) {
  std::vector<bool> v(kBlockIdLimit, false);
  for (uint16_t id : old) v[id] = true;
  for (size_t i = 0; i < kBlockNameCount; ++i) {
    const std::string_view n = kBlockNames[i].name;
    for (const char* w : words)
      if (n.find(w) != std::string_view::npos && kBlockNames[i].id < kBlockIdLimit) v[kBlockNames[i].id] = true;
  }
  return v;
}

}  // namespace

Tint tintOf(uint16_t id, uint8_t data) {
  static const std::vector<bool> grass = idsNamed({"grass_block", "short_grass", "tall_grass", "fern"}, {2, 31}),
                                  foliage = idsNamed({"oak_leaves", "jungle_leaves", "acacia_leaves", "dark_oak_leaves",
                                                      "mangrove_leaves", "vine", "lily_pad"},
                                                     {18, 106, 111, 161});
  if (id >= grass.size()) return Tint::None;
  if (isWater(id)) return Tint::Water;
  if (id == 18) return (data & 3) == 1 || (data & 3) == 2 ? Tint::None : Tint::Foliage;  // spruce, birch
  if (id == 175) return (data & 7) == 2 || (data & 7) == 3 ? Tint::Grass : Tint::None;    // tall grass, large fern
  if (grass[id]) return Tint::Grass;
  return foliage[id] ? Tint::Foliage : Tint::None;
}

bool isFoliage(uint16_t id) {
  static const std::vector<bool> leaves = idsNamed({"leaves"}, {18, 161});
  return id < leaves.size() && leaves[id];
}

bool treeOrPlant(uint16_t id) {
  static const std::vector<bool> trees =
      idsNamed({"leaves", "_log", "_stem", "_wood", "_hyphae", "mushroom_block"}, {17, 18, 99, 100, 161, 162});
  return (id < trees.size() && trees[id]) || seeThroughBlock(id);
}

bool isWaterFilled(uint16_t id) {
  static const std::vector<bool> filled = idsNamed({"kelp", "seagrass", "bubble_column"}, {});
  return id < filled.size() && filled[id];
}

sgimage::Rgba mixColours(sgimage::Rgba a, sgimage::Rgba b, double t) {
  auto ch = [&](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b), 255};
}

sgimage::Rgba caveColour(sgimage::Rgba colour, int y) {
  static const sgimage::Rgba stops[] = {{170, 30, 30, 255}, {210, 150, 40, 255}, {80, 170, 60, 255},
                                        {60, 120, 200, 255}};
  double t = std::clamp((y + 64) / 192.0, 0.0, 1.0) * 3;
  int i = std::min(2, static_cast<int>(t));
  return mixColours(colour, mixColours(stops[i], stops[i + 1], t - i), 0.6);
}

sgimage::Rgba lit(sgimage::Rgba c, double f) {
  auto ch = [&](uint8_t v) { return static_cast<uint8_t>(std::clamp(v * f + 0.5, 0.0, 255.0)); };
  return {ch(c.r), ch(c.g), ch(c.b), c.a};
}

BlockLook::BlockLook(const LookOptions& r) : layer_(kLevelCount, true), block_(kBlockIdLimit, true) {
  auto level = [](int y) { return static_cast<size_t>(y - kLowestLevel); };
  if (r.onlyLayers) {
    std::fill(layer_.begin(), layer_.end(), false);
    for (int l : *r.onlyLayers) layer_[level(l)] = true;
  }
  if (r.notLayers)
    for (int l : *r.notLayers) layer_[level(l)] = false;
  if (r.onlyBlocks) {
    std::fill(block_.begin(), block_.end(), false);
    for (int b : *r.onlyBlocks) block_[static_cast<size_t>(b)] = true;
  }
  if (r.notBlocks)
    for (int b : *r.notBlocks) block_[static_cast<size_t>(b)] = false;
  block_[kAir] = false;
  if (r.ignoreWater) block_[8] = block_[9] = false;
  if (r.xray)
    for (size_t id = 0; id < block_.size(); ++id)
      if (naturalGround(static_cast<uint16_t>(id))) block_[id] = false;
  const bool projected = isProjected(r.style);
  clear_.assign(block_.size(), false);
  opaqueFoliage_.assign(block_.size(), false);
  for (size_t id = 0; id < block_.size(); ++id) {
    const auto i = static_cast<uint16_t>(id);
    opaqueFoliage_[id] = projected && isFoliage(i);
    clear_[id] = seeThroughBlock(i) && !opaqueFoliage_[id];
  }
  solid_.assign(block_.size(), false);
  for (size_t id = 0; id < block_.size(); ++id) solid_[id] = block_[id] && !clear_[id];
  ambient_ = r.time == TimeOfDay::Night ? 0.22 : r.time == TimeOfDay::Twilight ? 0.6 : 1.0;
  forceBrightness_ = r.forceBrightness;
  wooloscopy_ = r.wooloscopy;
  granularity_ = std::clamp(r.granularity, 0, 8);
}

sgimage::Rgba BlockLook::colour(uint16_t id, uint8_t data, int x, int y, int z, const BiomeTints* tints) const {
  sgimage::Rgba c = blockColour(id, data);
  if (tints) {
    // The colours of the table are those of the temperate default; a biome scales them by its
    // tint against the default's.
    const Tint kind = tintOf(id, data);
    if (kind != Tint::None) {
      const BiomeTints& plain = biomeTints(kNoBiome);
      auto pick = [&](const BiomeTints& t) {
        return kind == Tint::Grass ? t.grass : kind == Tint::Foliage ? t.foliage : t.water;
      };
      const sgimage::Rgba want = pick(*tints), base = pick(plain);
      auto ch = [](uint8_t v, uint8_t w, uint8_t b) {
        return static_cast<uint8_t>(std::min(255, (v * w + b / 2) / std::max<int>(1, b)));
      };
      c = {ch(c.r, want.r, base.r), ch(c.g, want.g, base.g), ch(c.b, want.b, base.b), c.a};
    }
  }
  if (id < opaqueFoliage_.size() && opaqueFoliage_[id]) c.a = 255;
  if (wooloscopy_ && id != 35) {
    // Everything but wool fades to a dim grey, so that wool pictures stand out.
    uint8_t grey = static_cast<uint8_t>((c.r * 30 + c.g * 59 + c.b * 11) / 100 * 0.35 + 40);
    c = {grey, grey, grey, c.a};
  }
  if (granularity_ > 0) {
    int spread = granularity_ * 5;
    int d = static_cast<int>(mix(x, y, z) % (2 * spread + 1)) - spread;
    auto ch = [&](uint8_t v) { return static_cast<uint8_t>(std::clamp(v + d, 0, 255)); };
    c = {ch(c.r), ch(c.g), ch(c.b), c.a};
  }
  return c;
}

double BlockLook::light(const Chunk& c, int x, int y, int z) const {
  if (fullLight()) return 1.0;
  int block = c.holds(y) ? c.lightAt(x, y, z) : 0;
  return std::max(ambient_, block / 15.0);
}

}  // namespace sgrender
