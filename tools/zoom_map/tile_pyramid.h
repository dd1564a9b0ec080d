// The tile pyramid of a zoomable map: the image's rows go in from the top down, and tiles of
// 256 x 256 pixels come out as web maps number them, tiles/Z/X/Y.png. Level 0 is one tile
// holding the whole map; each level doubles the one before; the deepest holds the image's own
// pixels, its tile X, Y those from (256 X, 256 Y). A level above the deepest is the one below
// at half size, each pixel the premultiplied average of four. Only a band of 256 rows a level
// is held.
//
// Made again over an earlier map, it writes only the tiles whose pixels changed: the sums of
// every tile's pixels are kept in tiles.sums beside the tiles, with the size and time of the
// file written, and a tile whose sums and file both match is left as it is. Tiles are written
// under a temporary name and renamed. Only finish() takes tiles away (those fully clear now,
// and those of an earlier map that no longer belong) and writes the list of tiles the page
// reads, so a map made half-way still opens.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "imaging/rgba_image.h"
#include "zoom_map/tile_sums.h"

namespace sgmap {

class TilePyramid {
 public:
  static constexpr int kTile = 256;

  // The map's folder (the tiles go in its tiles/) and the image's size.
  TilePyramid(std::filesystem::path folder, int width, int height);

  // The deepest level's number: the least Z whose 256 * 2^Z pixels span the image.
  int deepest() const { return deepest_; }
  // A level's size in tiles.
  int tilesAcross(int z) const;
  int tilesDown(int z) const;

  // The next row of the image, width RGBA pixels. False with a reason when a tile cannot be
  // written.
  bool addRow(const uint8_t* rgba, std::string& error);
  // After the last row: the sums and the list of tiles written, and the tiles that no longer
  // belong taken away.
  bool finish(std::string& error);

  // Tiles written, tiles left as they were (their pixels unchanged) and tiles taken away.
  size_t written() const { return written_; }
  size_t unchanged() const { return unchanged_; }
  size_t removed() const { return removed_; }
  // Whether the map holds that tile (after finish).
  bool holds(int z, int x, int y) const;

 private:
  struct Level {
    int width = 0, height = 0;  // in pixels
    int rowsIn = 0;             // rows received so far
    std::vector<uint8_t> band;  // up to 256 rows of the level, width * 4 bytes each
    std::vector<uint8_t> pending;  // a row waiting for its pair, to make the level above's
    std::vector<bool> present;     // the tiles that hold pixels, by y * across + x
  };
  // A tile cut out of a band, to be written.
  struct Pending {
    TileKey key;
    std::filesystem::path file;
    sgimage::RgbaImage tile;
    TileSum sum;
    std::string error;
  };
  bool push(int z, const uint8_t* row, std::string& error);
  bool writeBand(int z, std::string& error);
  bool writeTiles(std::vector<Pending>& pending, std::string& error);
  bool writeTileList(std::string& error) const;
  void sweep();

  std::filesystem::path folder_;
  int deepest_ = 0;
  std::vector<Level> levels_;  // by Z
  TileSums before_, now_;
  size_t written_ = 0, unchanged_ = 0, removed_ = 0;
};

// Four premultiplied pixels averaged, as one pixel of the level above.
void averageFour(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d, uint8_t* out);

}  // namespace sgmap
