// Biomes: their names and the numbers worlds before 1.18 store, their climate (a generated
// table), and the colours the game tints grass, foliage and water with in each.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/rgba_image.h"

namespace sgrender {

struct Biome {
  const char* name;   // without the "minecraft:" prefix
  int16_t number;     // stored before 1.18; -1 for newer biomes
  float temperature, downfall;
};

extern const Biome kBiomes[];
extern const size_t kBiomeCount;

// A biome the table does not know, or none stored.
constexpr uint16_t kNoBiome = 0xFFFF;

// The table index of a stored name (with or without "minecraft:"), or kNoBiome.
uint16_t biomeByName(std::string_view name);
// The table index of a number stored before 1.18, or kNoBiome.
uint16_t biomeByNumber(int64_t number);

// What the game tints with in a biome: grass (and ferns), foliage (leaves, vines) and water.
struct BiomeTints {
  sgimage::Rgba grass, foliage, water;
};
// Of a biome; worlds that store no biome (Alpha, Beta) and unknown biomes take the temperate
// default, plains.
const BiomeTints& biomeTints(uint16_t biome);

}  // namespace sgrender
