// The zoomable map of a finished image, made beside it in NAME_map: the image read a row at a
// time into the tile pyramid, then the page. Memory is bounded by a band of 256 rows a level,
// whatever the image's size.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "zoom_map/map_facts.h"

namespace sgmap {

struct MapMade {
  size_t written = 0, unchanged = 0, removed = 0;  // tiles
};

// The map of an image being written, made from its rows as they go to the image.
class ZoomableMapWriter {
 public:
  ZoomableMapWriter();
  ~ZoomableMapWriter();
  ZoomableMapWriter(const ZoomableMapWriter&) = delete;
  ZoomableMapWriter& operator=(const ZoomableMapWriter&) = delete;

  // False with a reason when the map's folder cannot be made.
  bool open(const std::string& image, int width, int height, std::string& error);
  bool row(const uint8_t* rgba, std::string& error);
  // After the last row: the tiles' list and the page. The facts' size is the image's.
  bool finish(MapFacts facts, std::string& error, MapMade* made = nullptr);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// The map of an image already written, read back a row at a time. False with a one-line reason.
bool makeZoomableMap(const std::string& image, MapFacts facts, std::string& error, MapMade* made = nullptr);

}  // namespace sgmap
