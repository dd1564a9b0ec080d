// One chunk's block ids and block light, from a Beta chunk (128 levels in one array) or from
// a chunk of sections of 16 levels with numeric ids (up to 256 levels).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/nbt.h"

namespace sgrender {

struct ChunkBlocks {
  int chunkX = 0, chunkZ = 0;
  int height = 0;                 // 128 or 256
  std::vector<uint16_t> ids;      // index (y * 16 + z) * 16 + x
  std::vector<uint8_t> light;     // block light 0 to 15, same index

  uint16_t id(int x, int y, int z) const { return ids[(size_t(y) * 16 + z) * 16 + x]; }
  uint8_t lightAt(int x, int y, int z) const { return light[(size_t(y) * 16 + z) * 16 + x]; }
};

// False with a reason when the tags are not a chunk with numeric block ids.
bool decodeChunk(const NbtTag& root, ChunkBlocks& chunk, std::string& error);

}  // namespace sgrender
