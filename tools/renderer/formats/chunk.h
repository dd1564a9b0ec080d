// The one chunk model that every storage format decodes into and every painter reads: block
// ids (old numbers, or the stable numbers of newer names), data values and block light, for
// the levels the chunk holds, which may start below 0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include <algorithm>
#include <string>
#include <string_view>

#include "renderer/blocks/block_names.h"

namespace sgrender {

struct Chunk {
  int chunkX = 0, chunkZ = 0;
  int minY = 0;                   // the lowest level held
  int height = 0;                 // levels held, a multiple of 16
  std::vector<uint16_t> ids;      // index ((y - minY) * 16 + z) * 16 + x
  std::vector<uint8_t> data;      // data value 0 to 15, same index
  std::vector<uint8_t> light;     // block light 0 to 15, same index; empty while none is read
  bool hasLight = false;          // the chunk stores block light
  int worldMinY = 0, worldTop = 256;  // the levels its world has room for (bottom, top exclusive)
  int unknownNames = 0;           // palette names not in the block table
  std::vector<std::string> unknownNameList;  // the first few of those names, each once

  // Counts a palette name the block table does not know.
  void unknownName(std::string_view name) {
    ++unknownNames;
    if (unknownNameList.size() < 8 && std::find(unknownNameList.begin(), unknownNameList.end(), name) == unknownNameList.end())
      unknownNameList.emplace_back(name);
  }
  // Biomes (indexes of the biome table): one a column, index z * 16 + x, or from 1.15 on one a
  // cell of 4 x 4 x 4 blocks from minY up, index ((y - minY) / 4 * 4 + z / 4) * 4 + x / 4.
  // Empty where the world stores none.
  std::vector<uint16_t> biomes;
  bool biomeCells = false;

  void reset(int lowest, int levels) {
    minY = lowest;
    height = levels;
    size_t n = size_t(levels) * 256;
    ids.assign(n, 0);
    data.assign(n, 0);
    light.clear();
    hasLight = false;
    unknownNames = 0;
    unknownNameList.clear();
    biomes.clear();
    biomeCells = false;
  }
  int topY() const { return minY + height - 1; }
  bool holds(int y) const { return y >= minY && y < minY + height; }
  size_t index(int x, int y, int z) const { return (size_t(y - minY) * 16 + z) * 16 + x; }
  uint16_t id(int x, int y, int z) const { return ids[index(x, y, z)]; }
  uint8_t dataAt(int x, int y, int z) const { return data[index(x, y, z)]; }
  uint8_t lightAt(int x, int y, int z) const { return light.empty() ? 0 : light[index(x, y, z)]; }
  // Makes room for block light, all dark, before the first is read.
  void readingLight() {
    if (light.empty()) light.assign(ids.size(), 0);
  }
  // The biome at a block, or 0xFFFF when none is stored there.
  uint16_t biomeAt(int x, int y, int z) const {
    if (!biomeCells) return biomes.size() == 256 ? biomes[size_t(z) * 16 + x] : 0xFFFF;
    const long cell = (long(y - minY) >> 2) * 16 + (z >> 2) * 4 + (x >> 2);
    return cell >= 0 && size_t(cell) < biomes.size() ? biomes[size_t(cell)] : 0xFFFF;
  }
};

}  // namespace sgrender
