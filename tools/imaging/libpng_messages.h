// libpng's error and warning callbacks for both coders: an error keeps libpng's text in the
// std::string given as the error pointer and jumps back to the coder's setjmp; warnings are
// dropped.
#pragma once
#include <png.h>

#include <string>

namespace sgimage {

inline void keepLibpngError(png_structp png, png_const_charp message) {
  if (auto* text = static_cast<std::string*>(png_get_error_ptr(png))) *text = message;
  png_longjmp(png, 1);
}
inline void dropLibpngWarning(png_structp, png_const_charp) {}

}  // namespace sgimage
