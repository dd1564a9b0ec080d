// Reading and writing PNG files as RGBA images. Writing goes to a temporary name beside the
// target and is renamed over it, so no half-written image ever stands under the final name.
#pragma once
#include <string>

#include "imaging/rgba_image.h"

namespace sgimage {

// False with a one-line reason when the file is missing, not a PNG, corrupt or too large.
bool readPng(const std::string& file, RgbaImage& image, std::string& error);
// A whole image is written on `threads` threads where the platform's coder allows (the same
// bytes for any number of threads).
// Where the coder writes in strips, strips kept from an earlier image are taken from `kept`.
// A file not `durable` is renamed into place without waiting for the disk first: for the many
// small files (a map's tiles) that are checked, and written again, when they are found wrong.
// `level`: the compression level where the coder takes one (kPngLevel, png_rows.h, by default).
class DeflatedStrips;
bool writePngAtomically(const std::string& file, const RgbaImage& image, std::string& error, int threads = 1,
                        const DeflatedStrips* kept = nullptr, bool durable = true, int level = 4);

// The size a PNG file's header gives, read without decoding the image; false when the file is
// missing or not a PNG.
bool pngSize(const std::string& file, int& width, int& height);

// Images held whole larger than this many pixels are refused rather than risk running out of
// memory; images read or written a row at a time need only keep to kMaxSide.
constexpr long long kMaxPixels = 1LL << 28;
// The widest and tallest image the PNG coders write.
constexpr long long kMaxSide = 1000000;

}  // namespace sgimage
