// Writing the map from above a band at a time: the regions that share a row of the view are
// drawn into a canvas of that band's rows, which is written out row by row (mirrored, flipped
// or zoomed on the way) before the next band is drawn. The renderer then holds one band and one
// region's chunks, whatever the world's size.
#pragma once
#include <string>
#include <vector>

#include "imaging/png_rows.h"
#include "renderer/image/map_canvas.h"
#include "renderer/image/map_finishing.h"
#include "renderer/terms/view.h"
#include "renderer/world/world_layout.h"

namespace sgrender {

struct MapBand {
  int firstRow = 0, rows = 0;  // rows of the map, from its top
  std::vector<const ChunkGroup*> groups;
};

class BandedMap {
 public:
  BandedMap(const View& view, const ViewExtent& extent, const Finishing& finishing, int width, int height);

  // The bands in the order they are written (top first, or bottom first when flipped).
  std::vector<MapBand> plan(const std::vector<ChunkGroup>& groups) const;
  bool open(const std::string& file, std::string& error);
  bool write(const MapCanvas& band, const MapBand& where, std::string& error);
  bool finish(std::string& error);

 private:
  bool emit(const uint8_t* row, std::string& error);

  View view_;
  ViewExtent extent_;
  Finishing finishing_;
  int width_, height_, outWidth_, outHeight_;
  bool mirror_;
  sgimage::PngRowWriter out_;
  int written_ = 0;  // output rows written
  std::vector<uint8_t> row_;
};

}  // namespace sgrender
