// The map a render draws: the world's stored chunks in drawing order (regions and chunks far to
// near, so that see-through blocks are laid over what lies behind them), the range of chunks
// the map spans and the frame of its view.
#pragma once
#include <climits>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "renderer/cache/render_cache.h"
#include "renderer/render_arguments.h"
#include "renderer/styles/painter.h"
#include "renderer/world/world_layout.h"

namespace sgrender {

struct MapPlan {
  std::filesystem::path world;
  WorldChunks chunks;
  int minX = INT_MAX, maxX = INT_MIN, minZ = INT_MAX, maxZ = INT_MIN;  // chunks, inclusive
  size_t total = 0;                                                    // stored chunks listed
  std::vector<ChunkPlace> leftOut;  // unfinished chunks taken out of the plan (see below)
  MapFrame frame;
};

// Lists the world's chunks and lays out the map; false with the reason a player reads when
// nothing can be drawn. Region files that could not be read are reported on `errors`.
bool planMap(const RenderRequest& r, const std::filesystem::path& world, MapPlan& plan, std::ostream& errors,
             std::string& reason);

// Takes the chunks the game had not finished generating out of the plan before the map is laid
// out, so that the projected styles' canvas spans what is drawn (a freshly explored world is
// mostly unfinished chunks at its edges). Reads every chunk's status on `threads` threads, or
// takes what a render before found in a region whose chunks were not saved since.
void leaveOutUnfinished(const RenderRequest& r, MapPlan& plan, int threads, const RenderCache* cache = nullptr);

}  // namespace sgrender
