// A chunk, given as blocks by their Java names, as the records of a Bedrock world's store: its
// sub-chunks (version 1, 8 or 9; each block named as the game's Bedrock edition names it, so
// that it converts back to the same Java block), its biomes (3-D, or a byte a column) and its
// version. And a whole Bedrock world: level.dat, levelname.txt and db/.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "worldgen/chunk_encoders.h"
#include "worldgen/level_db_writer.h"

namespace sgworld {

struct BedrockOptions {
  int subChunkVersion = 9;    // 1, 8 or 9
  bool namesWithStates = false;  // the older names that say a block by its states (wool by colour)
  bool columnBiomes = false;  // a byte a column (Data2D), as worlds before 1.18 store them
  int dimension = 0;          // 0 the overworld, 1 the Nether, 2 the End
};

// The key of a chunk's record: its place, its dimension (none for the overworld) and its tag.
std::string bedrockKey(int x, int z, int dimension, uint8_t tag);

// One sub-chunk's value: `blocks` gives 4096 names in the store's order (x, then z, then y
// fastest); `water`, when not empty, the second layer likewise. `bits` forces a bit width
// (-1: the smallest that holds the palette; 0 needs a palette of one).
std::string encodeSubChunk(const std::vector<std::string>& blocks, int level, int version, int bits = -1,
                           const std::vector<std::string>& water = {}, bool namesWithStates = false);

std::vector<DbWrite> bedrockChunkRecords(const ChunkColumn& chunk, const BedrockOptions& options);

// level.dat (an 8-byte header, then little-endian tags) and levelname.txt.
bool writeBedrockLevelFiles(const std::filesystem::path& world, const std::string& name);

}  // namespace sgworld
