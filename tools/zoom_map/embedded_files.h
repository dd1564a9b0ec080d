// The files of a zoomable map's page that every map carries (the page, its script and the
// viewer library with its licence), built into the tools that make maps, so that a map folder
// is complete wherever the tools were copied to.
#pragma once
#include <cstddef>
#include <span>
#include <string_view>

namespace sgmap {

struct EmbeddedFile {
  const char* name;  // its path in the map's folder, with forward slashes
  const unsigned char* bytes;
  size_t size;
  std::string_view text() const { return {reinterpret_cast<const char*>(bytes), size}; }
};

std::span<const EmbeddedFile> embeddedFiles();

}  // namespace sgmap
