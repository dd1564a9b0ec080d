// The game's LZ4 block stream, and the other compressions of a chunk: the first byte picks the
// method (gzip, zlib, none, LZ4), the rest is the stored chunk. The first bytes of zlib and gzip
// data, inflated alone, must be those of the whole wherever the whole inflates.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "renderer/formats/decode_chunk.h"
#include "renderer/world/chunk_bytes.h"
#include "renderer/world/inflate_start.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<uint8_t> out;
  std::string error;
  const int method = 1 + data[0] % 4;
  const bool whole = sgrender::decompressChunk(method, data + 1, size - 1, out, error);
  if (method <= 2) {
    uint8_t start[sgrender::kStatusStartBytes];
    const size_t want = 1 + data[0] % sizeof start;
    const size_t given = sgrender::inflateStart(data + 1, size - 1, start, want);
    if (whole && (given != std::min(want, out.size()) || std::memcmp(start, out.data(), given) != 0)) std::abort();
    sgrender::statusAtStart(start, given);
  }
  sgrender::unpackLz4Blocks(data + 1, size - 1, out, size_t(1) << 20, error);
  return 0;
}
