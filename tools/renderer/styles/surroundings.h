// What a column's look depends on beyond its own blocks: the biomes around it, blended over
// five columns as the game blends them, and its rise over its neighbours towards the light (the
// view's north-west), for relief. Chunks come far to near, so the chunks to the view's north,
// west and north-west have always come before a chunk, whether the map is drawn whole or band
// by band: their edge rows are kept until the chunk beside them takes them, so borders between
// chunks are gradients, not seams, and the same for any order of threads.
#pragma once
#include <array>
#include <climits>
#include <functional>
#include <unordered_map>

#include "renderer/blocks/biomes.h"
#include "renderer/formats/chunk.h"
#include "renderer/terms/view.h"

namespace sgrender {

class Surroundings {
 public:
  Surroundings(const View& view, bool biomes);

  // Prepares one chunk: `surface(x, z)` gives the level of the column's surface, INT_MIN where
  // nothing is drawn; its biome is the one stored at that level.
  void prepare(const Chunk& chunk, const std::function<int(int x, int z)>& surface);
  // Of the chunk's column x, z (0 to 15): the blended tints, and the rise towards the light.
  const BiomeTints& tints(int x, int z) const { return tints_[at(x, z)]; }
  int rise(int x, int z) const { return rise_[at(x, z)]; }

 private:
  static constexpr int kMargin = 2, kSide = 16 + kMargin;
  struct Strip {
    std::array<uint16_t, 32> biome;
    std::array<int, 32> level;
  };
  // The view grid's index (margin included) of a local column.
  size_t at(int x, int z) const { return cellOf_[static_cast<size_t>(z * 16 + x)]; }
  size_t cell(int i, int j) const { return static_cast<size_t>((j + kMargin) * kSide + i + kMargin); }
  void keep(long long cu, long long cv);
  void take(long long cu, long long cv);

  View view_;
  bool biomes_;
  // The chunk in view order: column (i, j) of the view square at cell(i, j).
  std::array<uint16_t, kSide * kSide> biome_{};
  std::array<int, kSide * kSide> level_{};
  std::array<BiomeTints, kSide * kSide> tints_{};
  std::array<int, kSide * kSide> rise_{};
  std::array<size_t, 256> cellOf_{};  // of local column z * 16 + x
  std::unordered_map<long long, Strip> fromNorth_, fromWest_, fromNorthWest_;
};

}  // namespace sgrender
