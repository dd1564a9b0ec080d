// Whole-image steps: merging layers, turning, background colour and mirroring.
#pragma once
#include <vector>

#include "imaging/rgba_image.h"

namespace sgimage {

// Layers listed top first, drawn bottom first with alpha blending, each at the top-left corner
// of a clear canvas as large as the largest layer.
RgbaImage mergeLayers(const std::vector<RgbaImage>& topFirst);
// Clockwise by 90, 180 or 270 degrees.
RgbaImage rotateClockwise(const RgbaImage& image, int degrees);
// The image drawn over an opaque background, which so shows wherever the image is clear.
RgbaImage fillBackground(const RgbaImage& image, Rgba colour);
// Left and right exchanged (b becomes d).
RgbaImage mirrorHorizontally(const RgbaImage& image);
// Top and bottom exchanged (b becomes p).
RgbaImage mirrorVertically(const RgbaImage& image);

}  // namespace sgimage
