// The game's LZ4 block stream, and the other compressions of a chunk: the first byte picks the
// method (gzip, zlib, none, LZ4), the rest is the stored chunk.
#include <string>
#include <vector>

#include "renderer/world/chunk_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<uint8_t> out;
  std::string error;
  sgrender::decompressChunk(1 + data[0] % 4, data + 1, size - 1, out, error);
  sgrender::unpackLz4Blocks(data + 1, size - 1, out, size_t(1) << 20, error);
  return 0;
}
