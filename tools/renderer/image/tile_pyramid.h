// The tile pyramid of a zoomable map: the image's rows go in from the top down, and tiles of
// 256 x 256 pixels come out as web maps number them, tiles/Z/X/Y.png. Level 0 is one tile
// holding the whole map; each level doubles the one before; the deepest holds the image's own
// pixels, its tile X, Y those from (256 X, 256 Y). A level above the deepest is the one below
// at half size, each pixel the premultiplied average of four. Only a band of 256 rows a level
// is held. A tile that would be fully clear is not written (one written before is removed),
// and a tile whose pixels are those already on disk is left as it is.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sgrender {

class TilePyramid {
 public:
  static constexpr int kTile = 256;

  TilePyramid(std::filesystem::path folder, int width, int height);

  // The deepest level's number: the least Z whose 256 * 2^Z pixels span the image.
  int deepest() const { return deepest_; }

  // The next row of the image, width RGBA pixels. False with a reason when a tile cannot be
  // written.
  bool addRow(const uint8_t* rgba, std::string& error);

  // Tiles written and tiles left as they were (their pixels unchanged), over every level.
  size_t written() const { return written_; }
  size_t unchanged() const { return unchanged_; }

 private:
  struct Level {
    int width = 0, height = 0;  // in pixels
    int rowsIn = 0;             // rows received so far
    std::vector<uint8_t> band;  // up to 256 rows of the level, width * 4 bytes each
    std::vector<uint8_t> pending;  // a row waiting for its pair, to make the level above's
  };
  bool push(int z, const uint8_t* row, std::string& error);
  bool writeBand(int z, std::string& error);

  std::filesystem::path folder_;
  int deepest_ = 0;
  std::vector<Level> levels_;  // by Z
  size_t written_ = 0, unchanged_ = 0;
};

// Four premultiplied pixels averaged, as one pixel of the level above.
void averageFour(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d, uint8_t* out);

}  // namespace sgrender
