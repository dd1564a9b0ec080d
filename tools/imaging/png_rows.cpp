#include "imaging/png_rows.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sgimage {

namespace {

// libpng reports failures through longjmp; the writer records them instead.
void onError(png_structp png, png_const_charp message) {
  auto* self = static_cast<std::string*>(png_get_error_ptr(png));
  if (self) *self = message;
  png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

}  // namespace

PngRowWriter::~PngRowWriter() { abandon(); }

// libpng leaves a failed call through longjmp: the jump lands here, while the step's frame is
// still live, and the failure becomes a reason.
template <class Step>
bool PngRowWriter::encode(std::string& error, Step&& step) {
  if (setjmp(png_jmpbuf(static_cast<png_structp>(png_)))) {
    error = "cannot encode the image (" + message_ + ")";
    abandon();
    return false;
  }
  step();
  return true;
}

void PngRowWriter::abandon() {
  if (png_) {
    auto* png = static_cast<png_structp>(png_);
    auto* info = static_cast<png_infop>(info_);
    png_destroy_write_struct(&png, &info);
    png_ = info_ = nullptr;
  }
  if (f_) {
    std::fclose(f_);
    f_ = nullptr;
    std::remove(temp_.c_str());
  }
}

bool PngRowWriter::open(const std::string& file, int width, int height, std::string& error, int level,
                        int filters) {
  abandon();
  file_ = file;
  temp_ = file + ".part" + std::to_string(::getpid());
  rowsLeft_ = height;
  if (width <= 0 || height <= 0) {
    error = "the image is empty";
    return false;
  }
  f_ = std::fopen(temp_.c_str(), "wb");
  if (!f_) {
    error = "cannot create " + temp_ + ": " + std::strerror(errno);
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message_, onError, onWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  png_ = png;
  info_ = info;
  if (!png || !info) {
    error = "cannot start the PNG encoder";
    abandon();
    return false;
  }
  return encode(error, [&] {
    png_init_io(png, f_);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    png_set_filter(png, 0, filters >= 0 ? filters : PNG_FILTER_PAETH);
    png_write_info(png, info);
  });
}

bool PngRowWriter::write(const uint8_t* rgba, std::string& error) {
  auto* png = static_cast<png_structp>(png_);
  if (!png || rowsLeft_ <= 0) {
    error = "no image is being written";
    return false;
  }
  if (!encode(error, [&] { png_write_row(png, rgba); })) return false;
  --rowsLeft_;
  return true;
}

bool PngRowWriter::finish(std::string& error) {
  auto* png = static_cast<png_structp>(png_);
  if (!png || rowsLeft_ != 0) {
    error = "the image is not complete";
    abandon();
    return false;
  }
  if (!encode(error, [&] { png_write_end(png, static_cast<png_infop>(info_)); })) return false;
  auto* info = static_cast<png_infop>(info_);
  png_destroy_write_struct(&png, &info);
  png_ = info_ = nullptr;
  bool ok = std::fflush(f_) == 0 && ::fsync(fileno(f_)) == 0;
  ok = std::fclose(f_) == 0 && ok;
  f_ = nullptr;
  if (!ok) error = "cannot write " + temp_ + ": " + std::strerror(errno);
  if (ok && std::rename(temp_.c_str(), file_.c_str()) != 0) {
    error = "cannot rename the image to " + file_ + ": " + std::strerror(errno);
    ok = false;
  }
  if (!ok) std::remove(temp_.c_str());
  return ok;
}

}  // namespace sgimage
