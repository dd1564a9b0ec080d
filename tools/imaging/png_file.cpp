#include "imaging/png_file.h"

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
  std::string temp = file + ".part" + std::to_string(::getpid());
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    error = std::string("cannot create ") + temp + ": " + std::strerror(errno);
    return false;
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width());
  png.height = static_cast<png_uint_32>(image.height());
  png.format = PNG_FORMAT_RGBA;
  bool ok = png_image_write_to_stdio(&png, f, 0, image.data(), 0, nullptr) != 0;
  if (!ok) error = std::string("cannot encode the image (") + png.message + ")";
  png_image_free(&png);
  if (std::fflush(f) != 0 || ::fsync(fileno(f)) != 0) {
    if (ok) error = std::string("cannot write ") + temp + ": " + std::strerror(errno);
    ok = false;
  }
  if (std::fclose(f) != 0 && ok) {
    error = std::string("cannot write ") + temp + ": " + std::strerror(errno);
    ok = false;
  }
  if (ok && std::rename(temp.c_str(), file.c_str()) != 0) {
    error = std::string("cannot rename the image to ") + file + ": " + std::strerror(errno);
    ok = false;
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace sgimage
