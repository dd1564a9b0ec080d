// The eras with numeric block ids: Alpha and Beta (one array of 128 levels) and 1.2 to 1.12
// (sections of 16 levels with Blocks, Add and Data).
#include <algorithm>
#include <vector>

#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/section_range.h"

namespace sgrender {

bool decodeOneArray(const NbtTag& level, Chunk& c, std::string& error) {
  const NbtTag* blocks = level.find("Blocks", kByteArray);
  if (!blocks || blocks->bytes.size() != 32768) {
    error = "its block array is not 32768 bytes";
    return false;
  }
  const NbtTag* data = level.find("Data", kByteArray);
  const NbtTag* light = level.find("BlockLight", kByteArray);
  c.reset(0, 128);
  c.worldTop = 128;
  c.hasLight = light && light->bytes.size() == 16384;
  if (c.hasLight) c.readingLight();
  // Stored index: y + z * 128 + x * 2048.
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z)
      for (int y = 0; y < 128; ++y) {
        size_t src = size_t(y) + size_t(z) * 128 + size_t(x) * 2048;
        size_t dst = c.index(x, y, z);
        c.ids[dst] = blocks->bytes[src];
        if (data) c.data[dst] = nibble(data->bytes, src);
        if (c.hasLight) c.light[dst] = nibble(light->bytes, src);
      }
  return true;
}

bool decodeNumericSections(const NbtTag& sections, Chunk& c, std::string& error, const HiddenBelow* hidden) {
  auto hasBlocks = [](const NbtTag& s) { return s.find("Blocks", kByteArray) != nullptr; };
  if (!sizeToSections(sections, c, hasBlocks, error)) return false;
  c.worldMinY = 0;
  c.worldTop = std::max(256, c.minY + c.height);
  // From the top down when what lies below may be hidden; a section below the level at which it
  // is hidden is checked and its light noted, and its blocks are left as air.
  std::vector<const NbtTag*> order;
  for (const NbtTag& s : sections.items)
    if (s.type == kCompound && hasBlocks(s) && sectionY(s) != INT_MIN) order.push_back(&s);
  HiddenLevel level(hidden, order, [](const NbtTag* s) { return sectionY(*s); });
  for (const NbtTag* section : order) {
    const NbtTag& s = *section;
    const NbtTag* blocks = s.find("Blocks", kByteArray);
    if (blocks->bytes.size() != 4096) {
      error = "a section's block array is not 4096 bytes";
      return false;
    }
    const NbtTag* add = s.find("Add", kByteArray);
    const NbtTag* data = s.find("Data", kByteArray);
    const NbtTag* light = s.find("BlockLight", kByteArray);
    if (light && light->bytes.size() == 2048) c.hasLight = true;
    if (level.hides(sectionY(s))) continue;
    size_t base = c.index(0, sectionY(s) * 16, 0);
    // Section index: y * 256 + z * 16 + x, the model's own order. Nibble arrays hold two
    // blocks a byte, the first in the low half; a short one leaves the rest at 0.
    auto nibbles = [](const NbtTag* a, uint8_t* out) {
      if (!a) return;
      const size_t whole = std::min<size_t>(a->bytes.size(), 2048);
      for (size_t k = 0; k < whole; ++k) {
        out[2 * k] = a->bytes[k] & 15;
        out[2 * k + 1] = a->bytes[k] >> 4;
      }
      std::fill(out + 2 * whole, out + 4096, 0);
    };
    uint16_t* ids = &c.ids[base];
    for (size_t i = 0; i < 4096; ++i) ids[i] = blocks->bytes[i];
    if (add) {
      uint8_t high[4096];
      nibbles(add, high);
      for (size_t i = 0; i < 4096; ++i) ids[i] |= uint16_t(high[i]) << 8;
    }
    nibbles(data, &c.data[base]);
    if (light) {
      c.readingLight();
      nibbles(light, &c.light[base]);
    }
    level.decoded(c, sectionY(s));
  }
  return true;
}

}  // namespace sgrender
