// The biomes of each era, into the chunk model: numbers per column (1.2 to 1.14), numbers per
// cell of 4 x 4 x 4 blocks (1.15 to 1.17), and names in a palette per section (1.18 on).
#include "renderer/blocks/biomes.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/section_range.h"

namespace sgrender {

void decodeLevelBiomes(const NbtTag& level, Chunk& c) {
  const NbtTag* stored = level.find("Biomes");
  if (!stored || c.height == 0) return;
  std::vector<int64_t> numbers;
  if (stored->type == kByteArray)
    for (uint8_t b : stored->bytes) numbers.push_back(b);
  else if (stored->type == kIntArray)
    numbers.assign(stored->ints.begin(), stored->ints.end());
  if (numbers.size() == 256) {
    c.biomeCells = false;
  } else if (numbers.size() >= 64 && numbers.size() % 16 == 0 && numbers.size() <= 16 * 1024) {
    // Cells from the world's bottom, which for these eras is level 0.
    c.biomeCells = true;
    const size_t skip = static_cast<size_t>(std::max(0, c.minY) / 4) * 16;
    numbers.erase(numbers.begin(), numbers.begin() + static_cast<long>(std::min(skip, numbers.size())));
  } else {
    return;  // a length no era writes: left without biomes rather than read wrongly
  }
  c.biomes.resize(numbers.size());
  for (size_t i = 0; i < numbers.size(); ++i) c.biomes[i] = biomeByNumber(numbers[i]);
}

void decodeSectionBiomes(const NbtTag& sections, Chunk& c) {
  if (c.height == 0) return;
  c.biomeCells = true;
  c.biomes.assign(static_cast<size_t>(c.height / 4) * 16, kNoBiome);
  std::vector<uint16_t> palette;
  bool any = false;
  for (const NbtTag& s : sections.items) {
    const int y = s.type == kCompound ? sectionY(s) : INT_MIN;
    if (y < -128 || y > 127 || !c.holds(y * 16)) continue;
    const NbtTag* biomes = s.find("biomes", kCompound);
    const NbtTag* names = biomes ? biomes->find("palette", kList) : nullptr;
    if (!names || names->items.empty() || names->items.size() > 64) continue;
    palette.clear();
    for (const NbtTag& n : names->items) palette.push_back(n.type == kString ? biomeByName(n.text) : kNoBiome);
    const size_t base = static_cast<size_t>(y * 16 - c.minY) / 4 * 16;
    const NbtTag* data = biomes->find("data", kLongArray);
    if (!data || palette.size() == 1) {
      for (size_t i = 0; i < 64; ++i) c.biomes[base + i] = palette[0];
      any = true;
      continue;
    }
    // Indices packed within longs, as few bits as the palette needs.
    int bits = 1;
    while ((size_t(1) << bits) < palette.size()) ++bits;
    const size_t perLong = 64 / bits;
    if (data->longs.size() < (64 + perLong - 1) / perLong) continue;
    const uint64_t mask = (uint64_t(1) << bits) - 1;
    for (size_t i = 0; i < 64; ++i) {
      const uint64_t word = static_cast<uint64_t>(data->longs[i / perLong]);
      const size_t index = (word >> ((i % perLong) * bits)) & mask;
      c.biomes[base + i] = index < palette.size() ? palette[index] : kNoBiome;
    }
    any = true;
  }
  if (!any) {
    c.biomes.clear();
    c.biomeCells = false;
  }
}

}  // namespace sgrender
