// Writing a PNG row by row, so that a large map need never be held whole: the rows go through
// libpng's row interface into a temporary file beside the target, which is renamed over the
// target when the last row is in (and removed when anything fails).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace sgimage {

// The zlib level and row filter the maps are written with: zlib level 4 with the Paeth filter
// on every row writes a map in about 0.4 to 0.5 of the time of libpng's defaults (level 6,
// every filter tried per row), at 4 to 9% more bytes (bench_png_settings).
constexpr int kPngLevel = 4;

class PngRowWriter {
 public:
  PngRowWriter() = default;
  ~PngRowWriter();
  PngRowWriter(const PngRowWriter&) = delete;
  PngRowWriter& operator=(const PngRowWriter&) = delete;

  // level and filters override the map defaults (for measuring other settings).
  bool open(const std::string& file, int width, int height, std::string& error, int level = kPngLevel,
            int filters = -1);
  // One row of width RGBA pixels, top to bottom.
  bool write(const uint8_t* rgba, std::string& error);
  // After the last row: the file is complete under its final name.
  bool finish(std::string& error);

 private:
  void abandon();
  template <class Step>
  bool encode(std::string& error, Step&& step);

  std::string file_, temp_;
  FILE* f_ = nullptr;
  void* png_ = nullptr;   // png_structp
  void* info_ = nullptr;  // png_infop
  int rowsLeft_ = 0;
  std::string message_;
};

}  // namespace sgimage
