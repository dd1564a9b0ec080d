// The steps on the drawn map before it is written: mirroring (asked for, or the automatic one
// of angled and isometric views turned east or west), flip, rotation, zoom and the crop of
// clear borders.
#pragma once
#include <string>

#include "imaging/rgba_image.h"
#include "renderer/render_arguments.h"

namespace sgrender {

// Whether the renderer mirrors the map left to right itself.
bool mirrorsMap(const RenderRequest& request);

// False with a reason when the finished map would be too large.
bool finishMap(sgimage::RgbaImage& image, const RenderRequest& request, std::string& error);

// The image scaled by a factor, each pixel becoming a block of pixels (nearest neighbour).
sgimage::RgbaImage zoomed(const sgimage::RgbaImage& image, double factor);
// The image without the rows and columns at its edges that are entirely clear.
sgimage::RgbaImage cropped(const sgimage::RgbaImage& image);

}  // namespace sgrender
