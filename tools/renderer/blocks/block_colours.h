// The colour of each block seen from above, by id and data value: the old ids by hand, the
// colour families (wool, concrete, terracotta, glass, planks, logs, leaves, sand, stone) by data
// value, and the newer blocks by their name's dye colour or material. A block the table does
// not know is drawn in a fallback colour.
#pragma once
#include <cstdint>

#include "imaging/rgba_image.h"

namespace sgrender {

// Alpha below 255 lets what lies beneath show through (water, glass, leaves, flowers...).
sgimage::Rgba blockColour(uint16_t id, uint8_t data = 0);

constexpr uint16_t kAir = 0;
// A layer of snow on a block (not the whole block of snow).
constexpr uint16_t kSnowLayer = 78;
constexpr uint16_t kGrassBlock = 2, kDirt = 3;
inline bool isWater(uint16_t id) { return id == 8 || id == 9; }

}  // namespace sgrender
