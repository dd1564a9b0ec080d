// The PNG coder behind the row writer and the row reader: what differs between libpng and the
// Windows Imaging Component. Everything else of writing and reading rows is shared.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/png_row_reader.h"
#include "imaging/png_rows.h"

namespace sgimage {

struct PngRowWriter::Coder {
  virtual ~Coder() = default;
  // One row of RGBA pixels.
  virtual bool row(const uint8_t* rgba, std::string& error) = 0;
  // After the last row: the temporary file complete and under the target's name. On failure
  // nothing is left behind.
  virtual bool end(const std::string& temp, const std::string& target, std::string& error) = 0;
  // Closes the coder and removes the temporary file.
  virtual void abandon(const std::string& temp) = 0;
};

// A coder writing an image of that size into a temporary file beside `file` (its name in
// `temp`); nullptr with a reason, and nothing left behind, when it cannot start.
std::unique_ptr<PngRowWriter::Coder> startPngCoder(const std::string& file, int width, int height, int level,
                                                   int filters, std::string& temp, std::string& error);

struct PngRowReader::Decoder {
  virtual ~Decoder() = default;
  // Every colour type and depth to 8-bit RGBA, and whatever must be done before the first row
  // (`row`: a buffer of one row to work with).
  virtual bool prepare(const std::string& file, int height, std::vector<uint8_t>& row, std::string& error) = 0;
  // The row's RGBA pixels into `out`; rows are asked for in order.
  virtual bool read(int row, uint8_t* out, size_t stride, std::string& error) = 0;
  // Lets the file go; true when the rows can still be read from what was kept aside.
  virtual bool letGo() = 0;
};

// A decoder of the PNG file, with the image's size; nullptr with a reason ("no such file",
// "not a readable PNG image ...") when it cannot be read.
std::unique_ptr<PngRowReader::Decoder> openPngDecoder(const std::string& file, uint32_t& width, uint32_t& height,
                                                      std::string& error);

}  // namespace sgimage
