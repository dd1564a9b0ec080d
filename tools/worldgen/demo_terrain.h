// The demo world's terrain, the same for the same seed whatever the layout: rolling hills and
// mountains with snow, a sea with sandy beaches, oak and birch trees, caves with ores, lava
// and torches, bedrock (and deepslate where the levels go below 0); or the Nether, with a lava
// sea, glowstone and a bedrock roof. Block light is stored around every light source.
#pragma once
#include <cstdint>

#include "worldgen/chunk_encoders.h"

namespace sgworld {

ChunkColumn demoChunk(int chunkX, int chunkZ, uint32_t seed, Layout layout, bool nether);

// The terrain's surface height at a block column (for tests that look for land and sea).
int demoSurface(int x, int z, uint32_t seed);
constexpr int kSeaLevel = 62;

}  // namespace sgworld
