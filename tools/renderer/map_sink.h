// The image sink chosen for a map: held whole or written band by band, and through the render
// cache where one is kept. The map's size is checked here before anything is drawn.
#pragma once
#include <optional>
#include <ostream>
#include <string>

#include "renderer/cache/cache_key.h"
#include "renderer/cache/render_cache.h"
#include "renderer/map_output.h"
#include "renderer/render_arguments.h"

namespace sgrender {

// How the map is written: a band at a time with lowramwrite, or when the whole of it would not
// fit in half the machine's memory or is larger than a map held whole may be; only a map turned
// on its side must be held whole.
struct Output {
  bool banded = false, wholeTooLarge = false;
  long long wholeMegabytes = 0;
};
Output chooseOutput(long long width, long long height, const RenderRequest& req, bool depth);
// Notes on standard error when the output is not what the player asked for.
void sayOutput(const Output& o, const RenderRequest& req, std::ostream& errors);
// The reason the map cannot be written that way, when it is too large.
std::optional<std::string> tooLarge(long long width, long long height, const RenderRequest& req, bool whole);

// What a map is drawn through on its way to the file.
struct SinkParts {
  const MapPlan& plan;
  const MapImage& image;
  MapDrawing& drawing;
  Painter& painter;
  // Each band or set of tiles is drawn through a drawing of its own.
  BandDrawing partDrawing;
  const RenderCache* cache = nullptr;  // none: nothing is taken from or kept in the cache
  CacheKey drawKey;
  int threads = 0;
  int verbosity = 0;
};

// Draws the plan's chunks and writes the image the chosen way; false with a reason. At
// verbosity 1 and above, says how much was taken from the cache on `reports`.
bool writeMap(const SinkParts& parts, const Output& output, const AfterDrawing& drawn, std::ostream& reports,
              std::string& error);

}  // namespace sgrender
