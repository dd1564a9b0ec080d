#include "renderer/blocks/biomes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace sgrender {

namespace {

sgimage::Rgba hex(uint32_t c) {
  return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c), 255};
}

// The game's colour triangle: the colour of a climate, between the corners for hot and wet,
// hot and dry, and cold. Downfall counts only as far as it is warm.
sgimage::Rgba triangle(float temperature, float downfall, uint32_t wet, uint32_t dry, uint32_t cold) {
  const double t = std::clamp(static_cast<double>(temperature), 0.0, 1.0);
  const double d = std::clamp(static_cast<double>(downfall), 0.0, 1.0) * t;
  const double x = 1 - t, y = 1 - d;  // x <= y
  const sgimage::Rgba a = hex(wet), b = hex(dry), c = hex(cold);
  auto ch = [&](uint8_t va, uint8_t vb, uint8_t vc) {
    return static_cast<uint8_t>(std::clamp(va + y * (vb - va) + x * (vc - vb) + 0.5, 0.0, 255.0));
  };
  return {ch(a.r, b.r, c.r), ch(a.g, b.g, c.g), ch(a.b, b.b, c.b), 255};
}

bool named(const Biome& b, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (std::strcmp(b.name, n) == 0) return true;
  return false;
}
bool contains(const Biome& b, const char* word) { return std::strstr(b.name, word) != nullptr; }

BiomeTints tintsOf(const Biome& b) {
  BiomeTints t{triangle(b.temperature, b.downfall, 0x47CD33, 0xBFB755, 0x80B497),
               triangle(b.temperature, b.downfall, 0x1ABF00, 0xAEA42A, 0x60A17B), hex(0x3F76E4)};
  // The biomes the game colours by hand.
  if (contains(b, "badlands") || contains(b, "mesa")) t.grass = hex(0x90814D), t.foliage = hex(0x9E814D);
  if (contains(b, "swamp")) t.grass = t.foliage = hex(0x6A7039), t.water = hex(0x617B64);
  if (named(b, {"mangrove_swamp"})) t.foliage = hex(0x8DB127), t.water = hex(0x3A7A6A);
  if (contains(b, "dark_forest") || named(b, {"roofed_forest", "roofed_forest_mutated"})) {
    const sgimage::Rgba g = t.grass;  // halfway to a dark olive
    t.grass = {static_cast<uint8_t>(((g.r & 0xFE) + 0x28) / 2), static_cast<uint8_t>(((g.g & 0xFE) + 0x34) / 2),
               static_cast<uint8_t>(((g.b & 0xFE) + 0x0A) / 2), 255};
  }
  if (named(b, {"cherry_grove"})) t.grass = t.foliage = hex(0xB6DB61), t.water = hex(0x5DB7EF);
  if (named(b, {"pale_garden"})) t.grass = hex(0x778272), t.foliage = hex(0x878D76), t.water = hex(0x76889D);
  if (named(b, {"meadow"})) t.water = hex(0x0E4ECF);
  if (contains(b, "lukewarm_ocean")) t.water = hex(0x45ADF2);
  else if (contains(b, "warm_ocean")) t.water = hex(0x43D5EE);
  if (contains(b, "cold_ocean")) t.water = hex(0x3D57D6);
  if (contains(b, "frozen")) t.water = hex(0x3938C9);
  return t;
}

struct Tables {
  std::vector<BiomeTints> tints;
  std::array<uint16_t, 256> byNumber;
  BiomeTints plains;
  Tables() {
    byNumber.fill(kNoBiome);
    for (size_t i = 0; i < kBiomeCount; ++i) {
      tints.push_back(tintsOf(kBiomes[i]));
      if (kBiomes[i].number >= 0 && kBiomes[i].number < 256) byNumber[kBiomes[i].number] = static_cast<uint16_t>(i);
    }
    const uint16_t p = biomeByName("plains");
    plains = p == kNoBiome ? BiomeTints{hex(0x91BD59), hex(0x77AB2F), hex(0x3F76E4)} : tints[p];
  }
};

const Tables& tables() {
  static const Tables t;
  return t;
}

}  // namespace

uint16_t biomeByName(std::string_view name) {
  if (name.substr(0, 10) == "minecraft:") name.remove_prefix(10);
  const Biome* end = kBiomes + kBiomeCount;
  const Biome* it = std::lower_bound(kBiomes, end, name, [](const Biome& b, std::string_view n) {
    return std::string_view(b.name) < n;
  });
  return it != end && std::string_view(it->name) == name ? static_cast<uint16_t>(it - kBiomes) : kNoBiome;
}

uint16_t biomeByNumber(int64_t number) {
  return number >= 0 && number < 256 ? tables().byNumber[static_cast<size_t>(number)] : kNoBiome;
}

const BiomeTints& biomeTints(uint16_t biome) {
  const Tables& t = tables();
  return biome < t.tints.size() ? t.tints[biome] : t.plains;
}

}  // namespace sgrender
