#include "renderer/side_files.h"

#include "system/atomic_file.h"

namespace sgrender {

bool writeBlockList(const std::string& mapName, const BlockCensus& census, std::string& error) {
  const std::string name = (mapName.empty() ? std::string("map") : mapName) + "Blocks.txt";
  if (sgsys::writeFileAtomically(name, census.text())) return true;
  error = "cannot write the block list " + name;
  return false;
}

bool writeOffsetFile(const std::string& mapName, const ChunkRectangle& drawn, std::string& error) {
  const std::string name = mapName + "Offset.txt";
  const std::string content = "MinX: " + std::to_string(drawn.minX) + "\r\nMaxX: " + std::to_string(drawn.maxX) +
                              "\r\nMinZ: " + std::to_string(drawn.minZ) + "\r\nMaxZ: " + std::to_string(drawn.maxZ) +
                              "\r\n";
  if (sgsys::writeFileAtomically(name, content)) return true;
  error = "cannot write the offset file " + name;
  return false;
}

}  // namespace sgrender
