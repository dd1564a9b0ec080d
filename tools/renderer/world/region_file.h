// Region files: 32 x 32 chunks, a table of sector offsets, and each chunk's tags compressed
// with zlib, gzip or LZ4, or kept in a file of its own (.mcc). Names are r.<X>.<Z>.mca (sections of 16 levels) or r.<X>.<Z>.mcr (Beta).
#pragma once
#include <array>
#include <cstdint>
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

class RegionFile {
 public:
  // False with a reason when the file cannot be read or its table is cut short. With tableOnly,
  // only the table is read: enough to list the chunks, not to read them.
  bool open(const std::string& path, std::string& error, bool tableOnly = false);

  // True when the table names a chunk at these local coordinates (0 to 31).
  bool hasChunk(int localX, int localZ) const { return entry(localX, localZ) != 0; }
  // The chunk's uncompressed tag data; false with a reason when it is damaged.
  bool chunkData(int localX, int localZ, std::vector<uint8_t>& out, std::string& error) const;
  // The chunk's compressed bytes only, checked for bounds (for measuring decompression).
  bool compressedChunk(int localX, int localZ, const uint8_t*& data, size_t& size, int& method,
                       std::string& error) const;

 private:
  uint32_t entry(int x, int z) const { return table_[(x & 31) + (z & 31) * 32]; }
  std::string folder_;
  int regionX_ = 0, regionZ_ = 0;
  std::vector<uint8_t> bytes_;
  std::array<uint32_t, 1024> table_{};
};


}  // namespace sgrender
