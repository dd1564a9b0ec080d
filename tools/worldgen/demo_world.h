// A whole demo world: its level file, its chunks around the origin in the chosen layout and
// compression, and (unless left out) a small Nether in DIM-1; or the same as a Bedrock world.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "worldgen/chunk_encoders.h"
#include "worldgen/world_files.h"

namespace sgworld {

struct DemoWorld {
  std::filesystem::path folder;
  Layout layout = Layout::BlockStates;
  int chunksX = 32, chunksZ = 32;  // the overworld's size, from chunk (-chunksX/2, -chunksZ/2)
  uint32_t seed = 20260101;
  std::string name = "Demo World";
  Compression compression = Compression::Zlib;
  bool external = false;  // every chunk in a file of its own beside the region file
  bool nether = true;
  // A Bedrock world (level.dat, levelname.txt and db/) instead of a Java one, its sub-chunks of
  // this version (1, 8 or 9).
  bool bedrock = false;
  int subChunkVersion = 9;

  // N regions of 32 x 32 chunks, as square as N allows.
  void setRegions(int n);
};

bool writeDemoWorld(const DemoWorld& world, std::string& error);

}  // namespace sgworld
