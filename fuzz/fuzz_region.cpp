// A region file: its chunk table and every chunk it names, decompressed and decoded.
#include <string>

#include "fuzz_support.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/nbt.h"
#include "renderer/world/region_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("region");
  sgfuzz::writeInput("r.0.0.mca", data, size);
  sgrender::RegionFile file;
  std::string error;
  if (!file.open("r.0.0.mca", error)) return 0;
  std::vector<uint8_t> bytes;
  for (int z = 0; z < 32; ++z)
    for (int x = 0; x < 32; ++x) {
      if (!file.hasChunk(x, z) || !file.chunkData(x, z, bytes, error)) continue;
      // As the renderer reads a chunk: its tags measured before they are read.
      size_t memory = 0;
      if (!sgrender::measureNbt(bytes.data(), bytes.size(), memory, error, &sgrender::unreadChunkFields())) continue;
      sgrender::NbtTag root;
      sgrender::Chunk chunk;
      if (sgrender::parseNbt(bytes.data(), bytes.size(), root, error, &sgrender::unreadChunkFields()))
        sgrender::decodeChunk(root, chunk, error);
    }
  return 0;
}
