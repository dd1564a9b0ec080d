// Region files: 32 x 32 chunks, a table of sector offsets, and each chunk's tags compressed
// with zlib, gzip or LZ4, or kept in a file of its own (.mcc). Names are r.<X>.<Z>.mca (sections of 16 levels) or r.<X>.<Z>.mcr (Beta).
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sgrender {

struct RegionName {
  int x = 0, z = 0;
  std::string extension;  // "mca" or "mcr"
};
// nullopt when the file name is not a region file name.
std::optional<RegionName> parseRegionName(const std::string& fileName);

// Only the table is held; each chunk is read from its sectors when asked for, so a region file
// costs its table in memory however large (or sparse) the file is. Chunks may be read from
// several threads at once.
// A look at the first bytes of a chunk's tags before the rest are inflated: when `enough` says
// they tell all the reader wants, the rest is never inflated.
struct ChunkGlance {
  size_t bytes = 0;  // how many to look at
  std::function<bool(const uint8_t* start, size_t size)> enough;
};

class RegionFile {
 public:
  RegionFile() = default;
  RegionFile(const RegionFile&) = delete;
  RegionFile& operator=(const RegionFile&) = delete;
  ~RegionFile();

  // False with a reason when the file cannot be read or its table is cut short. With tableOnly,
  // the file is closed after its table: enough to list the chunks, not to read them.
  bool open(const std::string& path, std::string& error, bool tableOnly = false);

  // True when the table names a chunk at these local coordinates (0 to 31).
  bool hasChunk(int localX, int localZ) const { return entry(localX, localZ) != 0; }
  // What changes whenever the game saves the chunk again: the time stored in the file's second
  // table, with the chunk's place in the file; 0 when the table names no chunk there or no time
  // was stored, so that nothing can tell a chunk saved again.
  uint64_t saveStamp(int localX, int localZ) const {
    const size_t i = static_cast<size_t>((localX & 31) + (localZ & 31) * 32);
    return table_[i] == 0 || times_[i] == 0 ? 0 : (uint64_t(times_[i]) << 32) | table_[i];
  }
  // The chunk's uncompressed tag data; false with a reason when it is damaged. With a glance
  // that finds its first bytes enough (zlib and gzip chunks only), `out` holds just those.
  bool chunkData(int localX, int localZ, std::vector<uint8_t>& out, std::string& error,
                 const ChunkGlance* glance = nullptr) const;
  // The chunk's compressed bytes only, read into `stored` and checked for bounds.
  bool compressedChunk(int localX, int localZ, std::vector<uint8_t>& stored, int& method, std::string& error) const;

 private:
  uint32_t entry(int x, int z) const { return table_[(x & 31) + (z & 31) * 32]; }
  std::string folder_;
  int regionX_ = 0, regionZ_ = 0;
  std::FILE* file_ = nullptr;
  uint64_t length_ = 0;
  std::array<uint32_t, 1024> table_{};
  std::array<uint32_t, 1024> times_{};
};

}  // namespace sgrender
