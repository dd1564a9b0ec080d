// A chunk kept in a file of its own (.mcc) beside its region file: the first byte is the
// compression the region's entry names, the rest the file's bytes, decompressed and decoded.
#include <string>

#include "fuzz_support.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/world/region_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  sgfuzz::enterWorkingFolder("external_chunk");
  // A region whose one chunk says it lies outside, with the compression of the first byte.
  std::string region(8192 + 4096, '\0');
  region[2] = 2;  // sector 2
  region[3] = 1;  // one sector long
  region[8192 + 3] = 1;  // length 1: the method byte alone
  region[8192 + 4] = static_cast<char>(128 | (1 + data[0] % 4));
  sgfuzz::writeInput("r.0.0.mca", reinterpret_cast<const uint8_t*>(region.data()), region.size());
  sgfuzz::writeInput("c.0.0.mcc", data + 1, size - 1);
  sgrender::RegionFile file;
  std::string error;
  std::vector<uint8_t> bytes;
  if (!file.open("r.0.0.mca", error) || !file.chunkData(0, 0, bytes, error)) return 0;
  sgrender::NbtTag root;
  sgrender::Chunk chunk;
  if (sgrender::parseNbt(bytes.data(), bytes.size(), root, error, &sgrender::unreadChunkFields()))
    sgrender::decodeChunk(root, chunk, error);
  return 0;
}
