#include "imaging/png_row_reader.h"

#include "imaging/png_codec.h"
#include "imaging/png_file.h"

namespace sgimage {

PngRowReader::PngRowReader() = default;
PngRowReader::~PngRowReader() = default;
PngRowReader::PngRowReader(PngRowReader&& o) noexcept = default;

void PngRowReader::close() {
  if (decoder_ && !decoder_->letGo()) decoder_.reset();
}

bool PngRowReader::open(const std::string& file, std::string& error) {
  decoder_.reset();
  uint32_t w = 0, h = 0;
  decoder_ = openPngDecoder(file, w, h, error);
  if (!decoder_) return false;
  // Read a row at a time: any image whose rows the coders write can be read.
  if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) {
    error = "image size " + std::to_string(w) + "x" + std::to_string(h) + " is out of range";
    decoder_.reset();
    return false;
  }
  width_ = static_cast<int>(w);
  height_ = static_cast<int>(h);
  row_ = 0;
  buffer_.assign(static_cast<size_t>(width_) * 4, 0);
  if (!decoder_->prepare(file, height_, buffer_, error)) {
    decoder_.reset();
    return false;
  }
  return true;
}

const uint8_t* PngRowReader::next(std::string& error) {
  if (!decoder_ || row_ >= height_) {
    error = "no more rows";
    return nullptr;
  }
  if (!decoder_->read(row_, buffer_.data(), buffer_.size(), error)) {
    close();
    return nullptr;
  }
  ++row_;
  return buffer_.data();
}

}  // namespace sgimage
