// Helpers of the tools' tests: file contents, copies of built programs into the working
// folder, and small images.
#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "imaging/png_file.h"
#include "imaging/rgba_image.h"

namespace sgtest {

inline std::string slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void spit(const std::string& name, const std::string& content) {
  std::ofstream(name, std::ios::binary) << content;
}

inline bool exists(const std::string& name) { return std::filesystem::exists(name); }

// Places a built program in the working folder under the given name.
inline void installProgram(const std::string& builtPath, const std::string& name) {
  std::filesystem::copy_file(builtPath, name, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(name, std::filesystem::perms::owner_all);
}

inline sgimage::RgbaImage readImage(const std::string& name) {
  sgimage::RgbaImage im;
  std::string error;
  if (!sgimage::readPng(name, im, error)) return {};
  return im;
}

inline void writeImage(const std::string& name, const sgimage::RgbaImage& im) {
  std::string error;
  sgimage::writePngAtomically(name, im, error);
}

}  // namespace sgtest
