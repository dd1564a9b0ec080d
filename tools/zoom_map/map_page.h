// The page of a zoomable map: index.html with the map's title, the facts as map.js, the page's
// script and the viewer library, all beside the tiles. A file whose bytes would not change is
// left as it is.
#pragma once
#include <filesystem>
#include <string>

#include "zoom_map/map_facts.h"

namespace sgmap {

// "World - Style - Orientation", leaving out what is not known.
std::string mapTitle(const MapFacts& facts);
// The facts as the script map.js sets them.
std::string factsScript(const MapFacts& facts);

bool writeMapPage(const std::filesystem::path& folder, const MapFacts& facts, std::string& error);

}  // namespace sgmap
