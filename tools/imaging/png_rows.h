// Writing a PNG row by row, so that a large map need never be held whole: the rows go through
// the coder's row interface (libpng, or the Windows Imaging Component on Windows) into a
// temporary file beside the target, which is renamed over the target when the last row is in
// (and removed when anything fails).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace sgimage {

// The zlib level and row filter the maps are written with: zlib level 4 with no filter writes
// a map in about a third of the time of libpng's defaults (level 6, every filter tried per
// row), in 60 to 90% of their bytes: a map's flat runs of colour repeat as they stand, which
// deflate finds better than the differences a filter leaves (bench_png_settings). The Windows
// coder takes the filter only; its level is its own.
constexpr int kPngLevel = 4;

class PngRowWriter {
 public:
  struct Coder;  // the PNG coder's side (png_codec.h)

  PngRowWriter();
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

  std::string file_, temp_;
  std::unique_ptr<Coder> coder_;
  int width_ = 0;
  int rowsLeft_ = 0;
};

// The name of the temporary file that an image is written to before it takes its final name.
std::string partName(const std::string& file);

}  // namespace sgimage
