// The files a render writes beside its image when asked: the list of every block drawn
// (NAMEBlocks.txt) and the range of chunks drawn (NAMEOffset.txt).
#pragma once
#include <string>

#include "renderer/block_census.h"
#include "renderer/map_plan.h"

namespace sgrender {

// False with a reason when a file cannot be written.
bool writeBlockList(const std::string& mapName, const BlockCensus& census, std::string& error);
bool writeOffsetFile(const std::string& mapName, const ChunkRectangle& drawn, std::string& error);

}  // namespace sgrender
