// What a zoomable map keeps of each tile it wrote, to tell next time whether the tile must be
// written again: a 64-bit hash of the tile's pixels and the size and time of writing of the
// file as written. A tile is taken as unchanged only
// when its pixels' sums match and its file is still the one written, so that a file changed
// or replaced since, or one written by a run that was stopped before its sums were kept, is
// written again.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

namespace sgmap {

struct TileKey {
  int z = 0, x = 0, y = 0;
  auto operator<=>(const TileKey&) const = default;
};

struct TileSum {
  uint64_t hash = 0;
  uint64_t size = 0;
  long long written = 0;  // the file's time of writing, in the file system's own ticks
  bool operator==(const TileSum&) const = default;
};

class TileSums {
 public:
  // Reads the sums file; a missing or damaged one is an empty list (every tile is written).
  void load(const std::filesystem::path& file);
  // Written under a temporary name and renamed; false with a reason.
  bool save(const std::filesystem::path& file, std::string& error) const;

  const TileSum* find(const TileKey& key) const;
  void put(const TileKey& key, const TileSum& sum) { sums_[key] = sum; }
  const std::map<TileKey, TileSum>& all() const { return sums_; }

 private:
  std::map<TileKey, TileSum> sums_;
};

// The hash of a tile's pixels (size and time left 0); `bytes` a multiple of 16.
TileSum pixelSums(const uint8_t* rgba, size_t bytes);
// The file's size and time of writing into `sum`; false when it cannot be read.
bool fileFacts(const std::filesystem::path& file, TileSum& sum);

// Writes a small file under a temporary name beside it and renames it over the file.
bool writeTextFile(const std::filesystem::path& file, const std::string& text, std::string& error);

}  // namespace sgmap
