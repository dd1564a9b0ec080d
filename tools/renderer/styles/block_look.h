// How one block looks under the render's options, for every painter: the layer and block
// filters, water left out, x-ray (natural ground see-through), wooloscopy, the per-block colour
// noise of the granularity, and the light of the time of day with the stored block light.
// In the projected styles foliage is solid: a canopy hides the trunk and the ground below it,
// as trees look from a distance; from above, leaves let the ground show through.
#pragma once
#include <cstdint>
#include <vector>

#include "imaging/rgba_image.h"
#include "renderer/blocks/biomes.h"
#include "renderer/formats/chunk.h"
#include <optional>

#include "renderer/terms/map_terms.h"

namespace sgrender {

// The levels any world may hold, for the layer filters.
constexpr int kLowestLevel = -2048, kLevelCount = 4096;

// The render's options that change how a block looks.
struct LookOptions {
  std::optional<std::vector<int>> onlyLayers, notLayers, onlyBlocks, notBlocks;
  bool ignoreWater = false, xray = false, forceBrightness = false, wooloscopy = false;
  Style style = Style::Normal;
  TimeOfDay time = TimeOfDay::Day;
  int granularity = 0;
};

class BlockLook {
 public:
  explicit BlockLook(const LookOptions& options);

  // Whether the block at this level is drawn at all (filters, water, x-ray, air).
  bool drawn(uint16_t id, int y) const {
    return id < block_.size() && block_[id] && layer_[static_cast<size_t>(y - kLowestLevel)];
  }
  // Whether it is drawn and hides what lies behind it.
  bool solid(uint16_t id, int y) const {
    return id < solid_.size() && solid_[id] && layer_[static_cast<size_t>(y - kLowestLevel)];
  }
  bool layerShown(int y) const { return layer_[static_cast<size_t>(y - kLowestLevel)]; }
  // The same for the block wherever its level is shown.
  bool drawnBlock(uint16_t id) const { return id < block_.size() && block_[id]; }
  bool solidBlock(uint16_t id) const { return id < solid_.size() && solid_[id]; }
  // Whether light passes through the block and what lies behind it shows, in this style.
  bool clear(uint16_t id) const { return id >= clear_.size() || clear_[id]; }
  // The block's colour before light (wooloscopy and granularity applied); world x, z for the noise.
  // Grass, foliage and water take the biome's tints where they are given.
  sgimage::Rgba colour(uint16_t id, uint8_t data, int worldX, int y, int worldZ,
                       const BiomeTints* tints = nullptr) const;
  // The light on a face lit from the cell next to it (0 to 1): the sky's share by the time of
  // day, and the block light stored there; full with forcebrightness.
  double light(const Chunk& chunk, int x, int y, int z) const;
  // Full daylight, with no block light needed.
  bool fullLight() const { return forceBrightness_ || ambient_ >= 1.0; }
  double ambient() const { return ambient_; }

 private:
  std::vector<uint8_t> layer_, block_, solid_, clear_, opaqueFoliage_;  // flags, a byte each: read per cell
  double ambient_ = 1.0;
  bool forceBrightness_ = false, wooloscopy_ = false;
  int granularity_ = 0;
};

// Scales a colour's channels by a light factor (alpha kept).
sgimage::Rgba lit(sgimage::Rgba c, double factor);

// What the game tints a block with by its biome.
enum class Tint : uint8_t { None, Grass, Foliage, Water };
Tint tintOf(uint16_t id, uint8_t data);

// Whether light passes through and what is below shows (water, glass, leaves, plants, air).
bool seeThroughBlock(uint16_t id);
// Leaves of every kind.
bool isFoliage(uint16_t id);
// Trees and plants: leaves, logs and stems, huge mushrooms, and the see-through plants. What
// lies under them stands in the open, not in a cave.
bool treeOrPlant(uint16_t id);
// Blocks that stand in water and fill their cell with it (kelp, seagrass, bubble columns).
bool isWaterFilled(uint16_t id);

// A cave floor's colour, tinted by its level: deep red low down, through yellow and green, to
// blue up high, so that the levels of a cave system read.
sgimage::Rgba caveColour(sgimage::Rgba colour, int y);
// a to b by t (0 to 1), opaque.
sgimage::Rgba mixColours(sgimage::Rgba a, sgimage::Rgba b, double t);

}  // namespace sgrender
