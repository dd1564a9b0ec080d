// The image sink: the drawn map written whole (finished in memory: mirrored, flipped, turned,
// cropped, zoomed) or, for the map from above, a band of regions at a time.
#pragma once
#include <functional>
#include <string>

#include "imaging/png_parallel.h"
#include "renderer/image/map_finishing.h"
#include "renderer/map_drawing.h"
#include "renderer/map_plan.h"
#include "renderer/projected_tiles.h"
#include "renderer/styles/banded_painter.h"

namespace sgrender {

struct MapImage {
  std::string file;
  int width = 0, height = 0;  // of the map as drawn
  Finishing finishing;
  int threads = 1;  // that a whole image is written on
  const sgimage::DeflatedStrips* strips = nullptr;  // kept from earlier writings, where any are
  CropBox* crop = nullptr;  // told where a crop fell
};

// Both draw the plan's chunks through `drawing` and write the image; false with a reason.
// `drawn` is called once every chunk is drawn, before the image is completed; when it returns
// false (nothing was drawn, say) the image is given up and the writer returns false too.
using AfterDrawing = std::function<bool()>;
// A map drawn whole, finished (mirrored, flipped, turned, cropped, zoomed) and written.
bool writeFinishedMap(sgimage::RgbaImage& image, const MapImage& out, std::string& error);
bool writeWholeMap(const MapPlan& plan, const MapImage& image, MapDrawing& drawing, Painter& painter,
                   const AfterDrawing& drawn, std::string& error);
bool writeBandedMap(const MapPlan& plan, const MapImage& image, MapDrawing& drawing, const AfterDrawing& drawn,
                    std::string& error);

// The projected styles a band of rows at a time: `census` makes the census pass over every
// chunk (and keeps the summary, the block list and the first third of the progress); each band
// is drawn through a drawing of its own from `bandDrawing`. Memory is bounded by the band's
// canvas, whatever the world's size: `bandRows` rows (0: as many as 96 MB hold).
using BandDrawing = std::function<std::unique_ptr<MapDrawing>(size_t chunks, int progressFrom, int progressTo)>;
bool writeProjectedBands(const MapPlan& plan, const MapImage& image, MapDrawing& census, BandedPainter& painter,
                         const BandDrawing& bandDrawing, int bandRows, const AfterDrawing& drawn, std::string& error);

// The projected styles held whole, through the render cache (see ProjectedTiles): when no
// region is kept, the map is drawn whole and kept; otherwise the census is put together from the
// kept regions and those drawn afresh, the tiles that check out are pasted and the others drawn
// from the chunks that reach them, through a drawing from `partDrawing`. The tiles are keyed,
// kept and pasted on `threads` threads.
struct TilesTaken {
  size_t regions = 0, tiles = 0, allTiles = 0;
};
bool writeProjectedThroughCache(const MapPlan& plan, const MapImage& image, MapDrawing& drawing, BandedPainter& painter,
                                const BandDrawing& partDrawing, const ProjectedTiles& tiles,
                                const AfterDrawing& drawn, int threads, TilesTaken& taken, std::string& error);

}  // namespace sgrender
