// The PNG coder on libpng. libpng leaves a failed call through longjmp: each call is made in a
// function that has set the jump, so that the failure lands while that frame is live and
// becomes a reason. An interlaced image cannot be read a row at a time: it is decoded on
// opening, pass by pass, into a temporary file of rows beside it, and read from there.
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "imaging/libpng_messages.h"
#include "imaging/png_codec.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"
#include "system/tool_system.h"

namespace sgimage {

namespace {

class LibpngCoder : public PngRowWriter::Coder {
 public:
  ~LibpngCoder() override { close(); }

  bool start(const std::string& file, int width, int height, int level, int filters, std::string& temp,
             std::string& error) {
    f_ = sgsys::createTemporary(file, ".part", temp);
    if (!f_) {
      error = "cannot create " + temp + ": " + std::strerror(errno);
      return false;
    }
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message_, keepLibpngError, dropLibpngWarning);
    info_ = png_ ? png_create_info_struct(png_) : nullptr;
    if (!png_ || !info_) {
      error = "cannot start the PNG encoder";
      abandon(temp);
      return false;
    }
    if (setjmp(png_jmpbuf(png_))) return failed(temp, error);
    png_init_io(png_, f_);
    png_set_IHDR(png_, info_, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png_, level);
    png_set_filter(png_, 0, filters >= 0 ? filters : PNG_FILTER_NONE);
    png_write_info(png_, info_);
    return true;
  }

  bool row(const uint8_t* rgba, std::string& error) override {
    if (setjmp(png_jmpbuf(png_))) {
      error = reason();
      return false;
    }
    png_write_row(png_, rgba);
    return true;
  }

  bool end(const std::string& temp, const std::string& target, std::string& error) override {
    if (setjmp(png_jmpbuf(png_))) return failed(temp, error);
    png_write_end(png_, info_);
    png_destroy_write_struct(&png_, &info_);
    std::FILE* f = f_;
    f_ = nullptr;
    return sgsys::commitTemporary(f, temp, target, error);
  }

  void abandon(const std::string& temp) override {
    const bool made = f_ != nullptr;
    close();
    if (made) std::remove(temp.c_str());
  }

 private:
  std::string reason() const { return "cannot encode the image (" + message_ + ")"; }
  bool failed(const std::string& temp, std::string& error) {
    error = reason();
    abandon(temp);
    return false;
  }
  void close() {
    if (png_) png_destroy_write_struct(&png_, &info_);
    if (f_) std::fclose(f_);
    f_ = nullptr;
  }

  std::FILE* f_ = nullptr;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::string message_;  // libpng's last complaint
};

class LibpngDecoder : public PngRowReader::Decoder {
 public:
  ~LibpngDecoder() override {
    letGo();
    if (rows_) std::fclose(rows_);
  }

  bool open(const std::string& file, uint32_t& width, uint32_t& height, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
      error = "no such file";
      return false;
    }
    f_ = std::fopen(file.c_str(), "rb");
    if (!f_) {
      error = "cannot open it";
      return false;
    }
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message_, keepLibpngError, dropLibpngWarning);
    info_ = png_ ? png_create_info_struct(png_) : nullptr;
    if (!png_ || !info_) {
      error = "cannot start the PNG decoder";
      return false;
    }
    if (setjmp(png_jmpbuf(png_))) {
      error = unreadable();
      return false;
    }
    png_init_io(png_, f_);
    png_read_info(png_, info_);
    width = png_get_image_width(png_, info_);
    height = png_get_image_height(png_, info_);
    return true;
  }

  bool prepare(const std::string& file, int height, std::vector<uint8_t>& row, std::string& error) override {
    if (setjmp(png_jmpbuf(png_))) {
      error = unreadable();
      return false;
    }
    png_set_expand(png_);
    png_set_strip_16(png_);
    png_set_gray_to_rgb(png_);
    png_set_add_alpha(png_, 0xFF, PNG_FILLER_AFTER);
    const bool interlaced = png_get_interlace_type(png_, info_) != PNG_INTERLACE_NONE;
    const int passes = interlaced ? png_set_interlace_handling(png_) : 1;
    png_read_update_info(png_, info_);
    if (!interlaced) return true;
    // Each pass fills in pixels of rows the earlier passes began: every row goes from the file
    // to the decoder and back, so that one row is held at a time.
    const size_t stride = row.size();
    rows_ = sgsys::createUnnamedTemporary(file, ".rows", rowsName_);
    bool ok = rows_ != nullptr;
    for (int y = 0; ok && y < height; ++y) ok = std::fwrite(row.data(), 1, stride, rows_) == stride;
    ok = ok && std::fflush(rows_) == 0;
    for (int p = 0; ok && p < passes; ++p)
      for (int y = 0; ok && y < height; ++y) {
        const uint64_t at = uint64_t(y) * stride;
        ok = sgsys::readAt(rows_, row.data(), stride, at);
        if (!ok) break;
        png_read_row(png_, row.data(), nullptr);
        ok = std::fseek(rows_, static_cast<long>(at), SEEK_SET) == 0 &&
             std::fwrite(row.data(), 1, stride, rows_) == stride && std::fflush(rows_) == 0;
      }
    if (!ok) error = "cannot keep the interlaced image's rows in " + rowsName_;
    return ok;
  }

  bool read(int row, uint8_t* out, size_t stride, std::string& error) override {
    if (rows_) {
      if (sgsys::readAt(rows_, out, stride, uint64_t(row) * stride)) return true;
      error = "cannot read the interlaced image's rows from " + rowsName_;
      return false;
    }
    if (setjmp(png_jmpbuf(png_))) {
      error = "corrupt PNG image (" + message_ + ")";
      return false;
    }
    png_read_row(png_, out, nullptr);
    return true;
  }

  bool letGo() override {
    if (png_) png_destroy_read_struct(&png_, &info_, nullptr);
    if (f_) std::fclose(f_);
    f_ = nullptr;
    return rows_ != nullptr;
  }

 private:
  std::string unreadable() const { return "not a readable PNG image (" + message_ + ")"; }

  std::FILE* f_ = nullptr;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::string message_;  // libpng's last complaint
  std::FILE* rows_ = nullptr;  // an interlaced image's rows, decoded
  std::string rowsName_;
};

}  // namespace

std::unique_ptr<PngRowWriter::Coder> startPngCoder(const std::string& file, int width, int height, int level,
                                                   int filters, std::string& temp, std::string& error) {
  auto coder = std::make_unique<LibpngCoder>();
  if (!coder->start(file, width, height, level, filters, temp, error)) return nullptr;
  return coder;
}

std::unique_ptr<PngRowReader::Decoder> openPngDecoder(const std::string& file, uint32_t& width, uint32_t& height,
                                                      std::string& error) {
  auto decoder = std::make_unique<LibpngDecoder>();
  if (!decoder->open(file, width, height, error)) return nullptr;
  return decoder;
}

}  // namespace sgimage
