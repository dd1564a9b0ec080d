// What a zoomable map's page needs to know of the picture beyond its pixels: the names in its
// title, its size, and for the map from above where each block column is, so that the page can
// say the block under the pointer and mark the world's spawn. The renderer knows these for the
// map it draws; every later turn, mirror, crop or zoom of the picture carries them along, so
// that they stay true of the final image.
#pragma once
#include <optional>
#include <string>
#include <utility>

namespace sgmap {

// A point of the image (x to the right, y downwards, in pixels, not rounded) to the block
// column there, not rounded either: X = ax x + bx y + cx, Z = az x + bz y + cz.
struct BlockPlacement {
  double ax = 1, bx = 0, cx = 0, az = 0, bz = 1, cz = 0;
};

struct MapFacts {
  std::string world, style, orientation;  // as the title shows them
  int width = 0, height = 0;
  std::optional<BlockPlacement> blocks;   // the styles seen from above
  std::optional<std::pair<int, int>> spawn;  // block X and Z

  // The picture changed by a step: the facts follow it.
  void mirrorHorizontally();
  void mirrorVertically();
  void rotateClockwise(int degrees);  // 90, 180 or 270
  void crop(int left, int top, int width, int height);
  void zoom(double factor, int width, int height);  // the zoomed size, as rounded

 private:
  // The old point from the new one: x = m00 x' + m01 y' + t0, y = m10 x' + m11 y' + t1.
  void substitute(double m00, double m01, double t0, double m10, double m11, double t1);
};

// The placement of a map from above as drawn: pixel (0, 0) shows view column (minU, minV), and
// `up` (0 north, 1 east, 2 south, 3 west) is the world direction at the top.
BlockPlacement placementFromAbove(int up, int minU, int minV);

// A small text file of the facts, kept beside an image that is not yet the final one.
std::string factsText(const MapFacts& facts);
std::optional<MapFacts> parseFacts(const std::string& text);
// Where the facts of an image that is not final are kept: NAME_map.txt beside NAME.png.
std::string factsFileOf(const std::string& image);
// Where the zoomable map of an image goes: NAME_map beside NAME.png.
std::string mapFolderOf(const std::string& image);

}  // namespace sgmap
