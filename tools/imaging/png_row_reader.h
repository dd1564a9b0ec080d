// Reading a PNG row by row as 8-bit RGBA, whatever its colour type and depth, so that a large
// image need never be held whole. An interlaced image cannot be read a row at a time: it is
// decoded on open, pass by pass, into a temporary file of rows beside it, and handed out row
// by row from there, so that even it is never held whole.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sgimage {

class PngRowReader {
 public:
  struct Decoder;  // the PNG coder's side (png_codec.h)

  PngRowReader();
  ~PngRowReader();
  PngRowReader(const PngRowReader&) = delete;
  PngRowReader& operator=(const PngRowReader&) = delete;
  PngRowReader(PngRowReader&& other) noexcept;

  // False with a one-line reason when the file is missing, not a PNG or of a size out of range.
  bool open(const std::string& file, std::string& error);
  int width() const { return width_; }
  int height() const { return height_; }
  // The next row, width() RGBA pixels; nullptr with a reason when the data are corrupt.
  const uint8_t* next(std::string& error);
  // Lets the file go; the size stays known. Windows cannot replace a file that is still open, so
  // a reader lets go as soon as its last row is in.
  void close();

 private:

  std::unique_ptr<Decoder> decoder_;
  int width_ = 0, height_ = 0, row_ = 0;
  std::vector<uint8_t> buffer_;  // one row
};

}  // namespace sgimage
