// The one chunk model that every storage format decodes into and every painter reads: block
// ids (old numbers, or the stable numbers of newer names), data values and block light, for
// the levels the chunk holds, which may start below 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sgrender {

// A block whose name the table does not know: drawn in a fallback colour and counted.
constexpr uint16_t kUnknownBlock = 4095;

struct Chunk {
  int chunkX = 0, chunkZ = 0;
  int minY = 0;                   // the lowest level held
  int height = 0;                 // levels held, a multiple of 16
  std::vector<uint16_t> ids;      // index ((y - minY) * 16 + z) * 16 + x
  std::vector<uint8_t> data;      // data value 0 to 15, same index
  std::vector<uint8_t> light;     // block light 0 to 15, same index
  bool hasLight = false;          // the chunk stores block light
  int worldMinY = 0, worldTop = 256;  // the levels its world has room for (bottom, top exclusive)
  int unknownNames = 0;           // palette names not in the block table

  void reset(int lowest, int levels) {
    minY = lowest;
    height = levels;
    size_t n = size_t(levels) * 256;
    ids.assign(n, 0);
    data.assign(n, 0);
    light.assign(n, 0);
    hasLight = false;
    unknownNames = 0;
  }
  int topY() const { return minY + height - 1; }
  bool holds(int y) const { return y >= minY && y < minY + height; }
  size_t index(int x, int y, int z) const { return (size_t(y - minY) * 16 + z) * 16 + x; }
  uint16_t id(int x, int y, int z) const { return ids[index(x, y, z)]; }
  uint8_t dataAt(int x, int y, int z) const { return data[index(x, y, z)]; }
  uint8_t lightAt(int x, int y, int z) const { return light[index(x, y, z)]; }
};

}  // namespace sgrender
