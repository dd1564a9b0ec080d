#include "imaging/png_file.h"

#include <cstdint>
#include <cstdio>
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

bool pngSize(const std::string& file, int& width, int& height) {
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return false;
  unsigned char head[24];
  const bool read = std::fread(head, 1, sizeof head, f) == sizeof head;
  std::fclose(f);
  static const unsigned char kSignature[12] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13};
  if (!read || std::memcmp(head, kSignature, sizeof kSignature) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0)
    return false;
  auto big = [&](int at) { return uint32_t(head[at]) << 24 | uint32_t(head[at + 1]) << 16 | uint32_t(head[at + 2]) << 8 | head[at + 3]; };
  if (big(16) == 0 || big(20) == 0 || big(16) > kMaxSide || big(20) > kMaxSide) return false;
  width = static_cast<int>(big(16));
  height = static_cast<int>(big(20));
  return true;
}

}  // namespace sgimage
