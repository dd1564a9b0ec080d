#include "zoom_map/zoomable_map.h"

#include "imaging/png_row_reader.h"
#include "system/tool_system.h"
#include "zoom_map/map_page.h"
#include "zoom_map/tile_pyramid.h"

namespace fs = std::filesystem;

namespace sgmap {

struct ZoomableMapWriter::Parts {
  std::string image;
  fs::path folder;
  int width = 0, height = 0;
  TilePyramid pyramid;
  Parts(std::string i, fs::path f, int w, int h)
      : image(std::move(i)), folder(std::move(f)), width(w), height(h), pyramid(folder, w, h) {}
};

ZoomableMapWriter::ZoomableMapWriter() = default;
ZoomableMapWriter::~ZoomableMapWriter() = default;

bool ZoomableMapWriter::open(const std::string& image, int width, int height, std::string& error) {
  const fs::path folder = sgsys::pathOf(mapFolderOf(image));
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) {
    error = "cannot make the folder " + mapFolderOf(image) + " for the zoomable map";
    return false;
  }
  parts_ = std::make_unique<Parts>(image, folder, width, height);
  return true;
}

bool ZoomableMapWriter::row(const uint8_t* rgba, std::string& error) {
  if (parts_->pyramid.addRow(rgba, error)) return true;
  error = "cannot make the zoomable map of " + parts_->image + ": " + error;
  return false;
}

bool ZoomableMapWriter::finish(MapFacts facts, std::string& error, MapMade* made) {
  Parts& p = *parts_;
  // Facts for an image of another size place no blocks.
  if (facts.blocks && (facts.width != p.width || facts.height != p.height)) facts.blocks.reset();
  facts.width = p.width;
  facts.height = p.height;
  if (!p.pyramid.finish(error) || !writeMapPage(p.folder, facts, error)) {
    error = "cannot make the zoomable map of " + p.image + ": " + error;
    return false;
  }
  if (made) *made = {p.pyramid.written(), p.pyramid.unchanged(), p.pyramid.removed()};
  return true;
}

bool makeZoomableMap(const std::string& image, MapFacts facts, std::string& error, MapMade* made) {
  sgimage::PngRowReader rows;
  if (!rows.open(image, error)) {
    error = "cannot make the zoomable map of " + image + ": " + error;
    return false;
  }
  ZoomableMapWriter map;
  if (!map.open(image, rows.width(), rows.height(), error)) return false;
  for (int y = 0; y < rows.height(); ++y) {
    const uint8_t* row = rows.next(error);
    if (!row) {
      error = "cannot make the zoomable map of " + image + ": " + error;
      return false;
    }
    if (!map.row(row, error)) return false;
  }
  rows.close();
  return map.finish(std::move(facts), error, made);
}

}  // namespace sgmap
