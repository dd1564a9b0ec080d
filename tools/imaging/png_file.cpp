#include "imaging/png_file.h"

#include "imaging/png_rows.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace sgimage {

bool readPng(const std::string& file, RgbaImage& image, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = "no such file";
    return false;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, file.c_str())) {
    error = std::string("not a readable PNG image (") + png.message + ")";
    png_image_free(&png);
    return false;
  }
  if (static_cast<long long>(png.width) * png.height > kMaxPixels || png.width == 0 ||
      png.height == 0) {
    error = "image size " + std::to_string(png.width) + "x" + std::to_string(png.height) +
            " is out of range";
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  RgbaImage result(static_cast<int>(png.width), static_cast<int>(png.height));
  if (!png_image_finish_read(&png, nullptr, result.data(), 0, nullptr)) {
    error = std::string("corrupt PNG image (") + png.message + ")";
    png_image_free(&png);
    return false;
  }
  image = std::move(result);
  return true;
}

bool writePngAtomically(const std::string& file, const RgbaImage& image, std::string& error) {
  if (image.empty()) {
    error = "the image is empty";
    return false;
  }
  PngRowWriter out;
  if (!out.open(file, image.width(), image.height(), error)) return false;
  const size_t stride = static_cast<size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y)
    if (!out.write(image.data() + stride * y, error)) return false;
  return out.finish(error);
}

}  // namespace sgimage
