#include "imaging/png_file.h"

#include <cstring>

#include "imaging/png_parallel.h"
#include "imaging/png_row_reader.h"
#include "imaging/png_rows.h"

namespace sgimage {

bool readPng(const std::string& file, RgbaImage& image, std::string& error) {
  PngRowReader in;
  if (!in.open(file, error)) return false;
  if (static_cast<long long>(in.width()) * in.height() > kMaxPixels) {
    error = "image size " + std::to_string(in.width()) + "x" + std::to_string(in.height()) +
            " is too large to hold whole";
    return false;
  }
  RgbaImage result(in.width(), in.height());
  const size_t stride = static_cast<size_t>(in.width()) * 4;
  for (int y = 0; y < in.height(); ++y) {
    const uint8_t* row = in.next(error);
    if (!row) return false;
    std::memcpy(result.data() + stride * y, row, stride);
  }
  image = std::move(result);
  return true;
}

bool writePngAtomically(const std::string& file, const RgbaImage& image, std::string& error, int threads,
                        const DeflatedStrips* kept, bool durable, int level) {
  if (image.empty()) {
    error = "the image is empty";
    return false;
  }
#ifndef _WIN32
  return writePngOnThreads(file, image, threads, error, kept, durable, level);
#else
  (void)threads;
  (void)kept;
  (void)durable;
  (void)level;
  PngRowWriter out;
  if (!out.open(file, image.width(), image.height(), error)) return false;
  const size_t stride = static_cast<size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y)
    if (!out.write(image.data() + stride * y, error)) return false;
  return out.finish(error);
#endif
}

}  // namespace sgimage
