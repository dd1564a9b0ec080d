#include "imaging/png_row_reader.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

#include "imaging/libpng_messages.h"
#include "imaging/png_file.h"
#include "system/temporary_files.h"
#include "system/tool_system.h"

namespace sgimage {

struct PngRowReader::Decoder {
  FILE* f = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::string message;  // libpng's last complaint

  ~Decoder() {
    if (png) png_destroy_read_struct(&png, &info, nullptr);
    if (f) std::fclose(f);
  }
};

struct PngRowReader::RowsFile {
  std::FILE* f = nullptr;
  std::string name;
  ~RowsFile() {
    if (f) std::fclose(f);
  }
};

PngRowReader::PngRowReader() = default;
PngRowReader::~PngRowReader() = default;
PngRowReader::PngRowReader(PngRowReader&& o) noexcept = default;

void PngRowReader::close() { decoder_.reset(); }

bool PngRowReader::open(const std::string& file, std::string& error) {
  close();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = "no such file";
    return false;
  }
  decoder_ = std::make_unique<Decoder>();
  Decoder& d = *decoder_;
  d.f = std::fopen(file.c_str(), "rb");
  if (!d.f) {
    error = "cannot open it";
    close();
    return false;
  }
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d.message, keepLibpngError, dropLibpngWarning);
  d.info = d.png ? png_create_info_struct(d.png) : nullptr;
  if (!d.png || !d.info) {
    error = "cannot start the PNG decoder";
    close();
    return false;
  }
  png_structp png = d.png;
  png_infop info = d.info;
  if (setjmp(png_jmpbuf(png))) {
    error = "not a readable PNG image (" + d.message + ")";
    close();
    return false;
  }
  png_init_io(png, d.f);
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  // Read a row at a time: any image whose rows the coders write can be read.
  if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) {
    error = "image size " + std::to_string(w) + "x" + std::to_string(h) + " is out of range";
    close();
    return false;
  }
  width_ = static_cast<int>(w);
  height_ = static_cast<int>(h);
  row_ = 0;
  // Every colour type and depth to 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  const int passes = interlaced ? png_set_interlace_handling(png) : 1;
  png_read_update_info(png, info);
  const size_t stride = static_cast<size_t>(width_) * 4;
  buffer_.assign(stride, 0);
  rows_.reset();
  if (interlaced) {
    // Each pass fills in pixels of rows the earlier passes began: every row goes from the file
    // to the decoder and back, so that one row is held at a time.
    rows_ = std::make_unique<RowsFile>();
    rows_->f = sgsys::createUnnamedTemporary(file, ".rows", rows_->name);
    bool ok = rows_->f != nullptr;
    for (int y = 0; ok && y < height_; ++y) ok = std::fwrite(buffer_.data(), 1, stride, rows_->f) == stride;
    ok = ok && std::fflush(rows_->f) == 0;
    for (int p = 0; ok && p < passes; ++p)
      for (int y = 0; ok && y < height_; ++y) {
        const uint64_t at = uint64_t(y) * stride;
        ok = sgsys::readAt(rows_->f, buffer_.data(), stride, at);
        if (!ok) break;
        png_read_row(png, buffer_.data(), nullptr);
        ok = std::fseek(rows_->f, static_cast<long>(at), SEEK_SET) == 0 &&
             std::fwrite(buffer_.data(), 1, stride, rows_->f) == stride && std::fflush(rows_->f) == 0;
      }
    if (!ok) {
      error = "cannot keep the interlaced image's rows in " + rows_->name;
      close();
      rows_.reset();
      return false;
    }
  }
  return true;
}

const uint8_t* PngRowReader::next(std::string& error) {
  if ((!decoder_ && !rows_) || row_ >= height_) {
    error = "no more rows";
    return nullptr;
  }
  const size_t stride = static_cast<size_t>(width_) * 4;
  if (rows_) {
    if (!sgsys::readAt(rows_->f, buffer_.data(), stride, uint64_t(row_) * stride)) {
      error = "cannot read the interlaced image's rows from " + rows_->name;
      return nullptr;
    }
    ++row_;
    return buffer_.data();
  }
  png_structp png = decoder_->png;
  if (setjmp(png_jmpbuf(png))) {
    error = "corrupt PNG image (" + decoder_->message + ")";
    close();
    return nullptr;
  }
  png_read_row(png, buffer_.data(), nullptr);
  ++row_;
  return buffer_.data();
}

}  // namespace sgimage
