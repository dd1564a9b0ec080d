// The colour of each block id seen from above; ids 0 to 109 have their own, others a grey.
#pragma once
#include <cstdint>

#include "imaging/rgba_image.h"

namespace sgrender {

// Alpha below 255 lets what lies beneath show through (water, glass, leaves, flowers...).
sgimage::Rgba blockColour(uint16_t id);

constexpr uint16_t kAir = 0;
inline bool isWater(uint16_t id) { return id == 8 || id == 9; }

}  // namespace sgrender
