// The zoomable map of a finished image, made beside it in NAME_map: the image read a row at a
// time into the tile pyramid, then the page. Memory is bounded by a band of 256 rows a level,
// whatever the image's size.
#pragma once
#include <string>

#include "zoom_map/map_facts.h"

namespace sgmap {

struct MapMade {
  size_t written = 0, unchanged = 0, removed = 0;  // tiles
};

// False with a one-line reason. The facts' size is the image's.
bool makeZoomableMap(const std::string& image, MapFacts facts, std::string& error, MapMade* made = nullptr);

}  // namespace sgmap
