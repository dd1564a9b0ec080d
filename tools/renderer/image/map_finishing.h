// The steps on the drawn map before it is written: mirroring (asked for, or the automatic one
// of angled and isometric views turned east or west), flip, rotation, zoom and the crop of
// clear borders.
#pragma once
#include <string>

#include "imaging/rgba_image.h"
#include "renderer/terms/map_terms.h"

namespace sgrender {

// The render's options for the steps on the drawn map.
struct Finishing {
  Style style = Style::Normal;
  Orientation orientation = Orientation::North;
  bool mirror = false, autoMirror = true, flip = false, rotate = false, cropWhitespace = false;
  double zoom = 1.0;
};

// Whether the renderer mirrors the map left to right itself.
bool mirrorsMap(const Finishing& finishing);

// False with a reason when the finished map would be too large.
// What a crop kept of the map: its left and top, in the pixels before it, and its size.
struct CropBox {
  int left = 0, top = 0, width = 1, height = 1;
};

// Where the crop fell goes to `crop`, when there is one.
bool finishMap(sgimage::RgbaImage& image, const Finishing& finishing, std::string& error, CropBox* crop = nullptr);

// The image scaled by a factor, each pixel becoming a block of pixels (nearest neighbour).
sgimage::RgbaImage zoomed(const sgimage::RgbaImage& image, double factor);
// The image without the rows and columns at its edges that are entirely clear.
sgimage::RgbaImage cropped(const sgimage::RgbaImage& image, CropBox* box = nullptr);

}  // namespace sgrender
