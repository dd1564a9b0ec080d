#include "imaging/png_rows.h"

#include "imaging/png_codec.h"

namespace sgimage {

PngRowWriter::PngRowWriter() = default;
PngRowWriter::~PngRowWriter() { abandon(); }

void PngRowWriter::abandon() {
  if (!coder_) return;
  coder_->abandon(temp_);
  coder_.reset();
}

bool PngRowWriter::open(const std::string& file, int width, int height, std::string& error, int level,
                        int filters) {
  abandon();
  file_ = file;
  temp_.clear();
  width_ = width;
  rowsLeft_ = height;
  if (width <= 0 || height <= 0) {
    error = "the image is empty";
    return false;
  }
  coder_ = startPngCoder(file, width, height, level, filters, temp_, error);
  return coder_ != nullptr;
}

bool PngRowWriter::write(const uint8_t* rgba, std::string& error) {
  if (!coder_ || rowsLeft_ <= 0) {
    error = "no image is being written";
    return false;
  }
  if (!coder_->row(rgba, error)) {
    abandon();
    return false;
  }
  --rowsLeft_;
  return true;
}

bool PngRowWriter::finish(std::string& error) {
  if (!coder_ || rowsLeft_ != 0) {
    error = "the image is not complete";
    abandon();
    return false;
  }
  const bool placed = coder_->end(temp_, file_, error);
  coder_.reset();
  return placed;
}

}  // namespace sgimage
