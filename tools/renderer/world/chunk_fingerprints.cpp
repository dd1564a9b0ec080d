#include "renderer/world/chunk_fingerprints.h"

#include <zlib.h>
#ifdef SG_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

#include "renderer/world/chunk_bytes.h"
#include "renderer/world/region_file.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

// Two independent checksums and the length: 64 bits of what the bytes are.
uint64_t checksumOf(const std::vector<uint8_t>& bytes, uint64_t seed) {
#ifdef SG_HAVE_LIBDEFLATE
  const uint64_t crc = libdeflate_crc32(0, bytes.data(), bytes.size());
  const uint64_t adler = libdeflate_adler32(1, bytes.data(), bytes.size());
#else
  uint64_t crc = crc32(0L, Z_NULL, 0), adler = adler32(0L, Z_NULL, 0);
  for (size_t at = 0; at < bytes.size(); at += size_t(1) << 30) {
    const uInt n = static_cast<uInt>(std::min(bytes.size() - at, size_t(1) << 30));
    crc = crc32(static_cast<uLong>(crc), bytes.data() + at, n);
    adler = adler32(static_cast<uLong>(adler), bytes.data() + at, n);
  }
#endif
  // Mixed so that no field cancels another (a stamp of the time and place, then the sums).
  uint64_t h = seed ^ 0x9e3779b97f4a7c15ULL;
  for (uint64_t v : {crc << 32 | adler, uint64_t(bytes.size())}) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
  }
  return h == 0 ? 1 : h;
}

bool readFile(const std::filesystem::path& path, std::vector<uint8_t>& out) {
  uint64_t size = 0;
  std::FILE* f = sgsys::openRegularFile(sgsys::nameOf(path), size);
  if (!f) return false;
  const bool ok = size <= kMaxChunkBytes;
  if (ok) out.resize(static_cast<size_t>(size));
  const bool read = ok && (out.empty() || std::fread(out.data(), 1, out.size(), f) == out.size());
  std::fclose(f);
  return read;
}

}  // namespace

void fingerprintChunks(ChunkGroup& group) {
  if (group.bedrock) return;  // its chunks' stamps come from the store's sequence numbers
  std::vector<uint8_t> stored, external;
  if (group.regionFile.empty()) {
    for (ChunkPlace& c : group.chunks) c.saveStamp = readFile(c.alphaFile, stored) ? checksumOf(stored, c.saveStamp) : 0;
    return;
  }
  RegionFile region;
  std::string error;
  if (!region.open(sgsys::nameOf(group.regionFile), error)) {
    for (ChunkPlace& c : group.chunks) c.saveStamp = 0;
    return;
  }
  const std::filesystem::path folder = group.regionFile.parent_path();
  for (ChunkPlace& c : group.chunks) {
    int method = 0;
    if (!region.compressedChunk(c.x & 31, c.z & 31, stored, method, error)) {
      c.saveStamp = 0;
      continue;
    }
    uint64_t stamp = checksumOf(stored, c.saveStamp ^ uint64_t(method));
    // A chunk too large for its region lies in a file of its own beside it.
    if (method & 128) {
      const std::string name = "c." + std::to_string(c.x) + "." + std::to_string(c.z) + ".mcc";
      stamp = readFile(folder / name, external) ? checksumOf(external, stamp) : 0;
    }
    c.saveStamp = stamp;
  }
}

}  // namespace sgrender
