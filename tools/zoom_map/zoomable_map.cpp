#include "zoom_map/zoomable_map.h"

#include "imaging/png_row_reader.h"
#include "system/tool_system.h"
#include "zoom_map/map_page.h"
#include "zoom_map/tile_pyramid.h"

namespace fs = std::filesystem;

namespace sgmap {

bool makeZoomableMap(const std::string& image, MapFacts facts, std::string& error, MapMade* made) {
  sgimage::PngRowReader rows;
  if (!rows.open(image, error)) {
    error = "cannot make the zoomable map of " + image + ": " + error;
    return false;
  }
  const fs::path folder = sgsys::pathOf(mapFolderOf(image));
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    error = "cannot make the folder " + mapFolderOf(image);
    return false;
  }
  // Facts for an image of another size (a stack merged over a larger one) place no blocks.
  if (facts.blocks && (facts.width != rows.width() || facts.height != rows.height())) facts.blocks.reset();
  facts.width = rows.width();
  facts.height = rows.height();
  TilePyramid pyramid(folder, rows.width(), rows.height());
  for (int y = 0; y < rows.height(); ++y) {
    const uint8_t* row = rows.next(error);
    if (!row || !pyramid.addRow(row, error)) {
      error = "cannot make the zoomable map of " + image + ": " + error;
      return false;
    }
  }
  rows.close();
  if (!pyramid.finish(error) || !writeMapPage(folder, facts, error)) {
    error = "cannot make the zoomable map of " + image + ": " + error;
    return false;
  }
  if (made) *made = {pyramid.written(), pyramid.unchanged(), pyramid.removed()};
  return true;
}

}  // namespace sgmap
