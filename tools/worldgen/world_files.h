// Writing a world's files: region files (with any chunk compression, or chunks in files of
// their own), Alpha chunk files and the level file.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "worldgen/chunk_encoders.h"

namespace sgworld {

enum class Compression { Gzip = 1, Zlib = 2, None = 3, Lz4 = 4 };
bool compressionFromWord(const std::string& word, Compression& c);

std::vector<uint8_t> compress(const std::vector<uint8_t>& data, Compression c);

// One region file being filled: chunks by local coordinates, each stored with its compression,
// or in an external .mcc file beside the region file.
class RegionWriter {
 public:
  void put(int localX, int localZ, std::vector<uint8_t> stored, int method);
  // Writes r.<rx>.<rz>.<extension> into folder, and the external chunks beside it.
  bool write(const std::filesystem::path& folder, int regionX, int regionZ, const std::string& extension) const;
  bool empty() const { return chunks_.empty(); }

  // When every chunk was saved, in seconds since 1970 as the game keeps it; 0 writes no times.
  uint32_t savedAt = 1767225600;  // 2026-01-01

 private:
  std::map<std::pair<int, int>, std::pair<int, std::vector<uint8_t>>> chunks_;
};

// Where the world's chunks go, given each encoded chunk in turn.
class WorldFiles {
 public:
  WorldFiles(std::filesystem::path dimensionFolder, Layout layout, Compression compression, bool external);
  void add(int chunkX, int chunkZ, const std::vector<uint8_t>& tags);
  bool finish();

 private:
  std::filesystem::path folder_;
  Layout layout_;
  Compression compression_;
  bool external_;
  std::map<std::pair<int, int>, RegionWriter> regions_;
  bool ok_ = true;
};

// The level file: gzip-compressed tags with the world's name and spawn.
bool writeLevelFile(const std::filesystem::path& world, const std::string& levelName, Layout layout);

bool writeBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);

}  // namespace sgworld
