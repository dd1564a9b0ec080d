// The image work of the post processor.
#pragma once
#include <vector>

#include "imaging/rgba_image.h"

namespace sgpost {

// Layers listed top first, drawn bottom first with alpha blending, each at the top-left corner
// of a clear canvas as large as the largest layer.
sgimage::RgbaImage mergeLayers(const std::vector<sgimage::RgbaImage>& topFirst);
// Clockwise by 90, 180 or 270 degrees.
sgimage::RgbaImage rotateClockwise(const sgimage::RgbaImage& image, int degrees);
// The image drawn over an opaque background, which so shows wherever the image is clear.
sgimage::RgbaImage fillBackground(const sgimage::RgbaImage& image, sgimage::Rgba colour);
// Left and right exchanged (b becomes d).
sgimage::RgbaImage mirrorHorizontally(const sgimage::RgbaImage& image);
// Top and bottom exchanged (b becomes p).
sgimage::RgbaImage mirrorVertically(const sgimage::RgbaImage& image);

}  // namespace sgpost
