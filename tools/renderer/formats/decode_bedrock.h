// Decoding one chunk of a Bedrock world into the chunk model: its sub-chunks (versions 1, 8
// and 9: storage layers of packed palette indexes, with palettes of little-endian tags) and its
// biomes (the 3-D paletted biomes of newer worlds, or a byte a column in older ones). The
// records come from the world's store, keyed after the chunk's own prefix by a tag byte (and a
// sub-chunk's index).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "renderer/formats/chunk.h"
#include "renderer/formats/decode_chunk.h"

namespace sgrender {

// The tags of a chunk's records.
enum BedrockTag : uint8_t {
  kData3D = 43, kVersion = 44, kData2D = 45, kData2DLegacy = 46, kSubChunk = 47, kLegacyTerrain = 48,
  kFinalizedState = 54, kVersionNew = 118,
};

// The dimensions: the overworld's keys carry none.
enum class BedrockDimension { Overworld = 0, Nether = 1, End = 2 };

// One record of the chunk: what follows the chunk's prefix in its key, and its value.
struct BedrockRecord {
  std::string_view tail;  // the tag byte, then a sub-chunk's index
  std::string_view value;
};

ChunkVerdict decodeBedrockChunk(const std::vector<BedrockRecord>& records, BedrockDimension dimension, Chunk& chunk,
                                std::string& error, const HiddenBelow* hidden = nullptr);

// One sub-chunk's blocks into the chunk (which must hold its levels); `index` is the key's
// sub-chunk index, which versions 1 and 8 take as their level. False with a reason.
bool decodeSubChunk(std::string_view value, int index, Chunk& chunk, std::string& error);

// The level of the sub-chunk that a value holds (its own index in version 9, else `index`).
int subChunkLevel(std::string_view value, int index);

}  // namespace sgrender
