#include "imaging/png_rows.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "imaging/libpng_messages.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"

namespace sgimage {

struct PngRowWriter::Coder {
  FILE* f = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::string message;  // libpng's last complaint
};

PngRowWriter::PngRowWriter() = default;
PngRowWriter::~PngRowWriter() { abandon(); }

// libpng leaves a failed call through longjmp: the jump lands here, while the step's frame is
// still live, and the failure becomes a reason.
template <class Step>
bool PngRowWriter::encode(std::string& error, Step&& step) {
  if (setjmp(png_jmpbuf(coder_->png))) {
    error = "cannot encode the image (" + coder_->message + ")";
    abandon();
    return false;
  }
  step();
  return true;
}

void PngRowWriter::abandon() {
  if (!coder_) return;
  if (coder_->png) png_destroy_write_struct(&coder_->png, &coder_->info);
  if (coder_->f) {
    std::fclose(coder_->f);
    std::remove(temp_.c_str());
  }
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
  coder_ = std::make_unique<Coder>();
  coder_->f = sgsys::createTemporary(file, ".part", temp_);
  if (!coder_->f) {
    error = "cannot create " + temp_ + ": " + std::strerror(errno);
    coder_.reset();
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &coder_->message, keepLibpngError, dropLibpngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  coder_->png = png;
  coder_->info = info;
  if (!png || !info) {
    error = "cannot start the PNG encoder";
    abandon();
    return false;
  }
  return encode(error, [&] {
    png_init_io(png, coder_->f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    png_set_filter(png, 0, filters >= 0 ? filters : PNG_FILTER_NONE);
    png_write_info(png, info);
  });
}

bool PngRowWriter::write(const uint8_t* rgba, std::string& error) {
  if (!coder_ || rowsLeft_ <= 0) {
    error = "no image is being written";
    return false;
  }
  if (!encode(error, [&] { png_write_row(coder_->png, rgba); })) return false;
  --rowsLeft_;
  return true;
}

bool PngRowWriter::finish(std::string& error) {
  if (!coder_ || rowsLeft_ != 0) {
    error = "the image is not complete";
    abandon();
    return false;
  }
  if (!encode(error, [&] { png_write_end(coder_->png, coder_->info); })) return false;
  png_destroy_write_struct(&coder_->png, &coder_->info);
  FILE* f = coder_->f;
  coder_.reset();
  return sgsys::commitTemporary(f, temp_, file_, error);
}

}  // namespace sgimage
