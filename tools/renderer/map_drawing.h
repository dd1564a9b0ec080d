// Drawing the chunks that come out of the pipeline: each decoded chunk goes to the painter, a
// chunk that will not be drawn leaves a gap, and what was met is summed up (skipped, unfinished,
// the block census) while the progress file follows the chunks done.
#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "renderer/block_census.h"
#include "renderer/region_tiles.h"
#include "renderer/chunk_pipeline.h"
#include "renderer/image/map_canvas.h"
#include "renderer/terms/render_summary.h"
#include "renderer/styles/painter.h"

namespace sgrender {

// The progress file: the percent done in its first line, rewritten whole when it moves.
class Progress {
 public:
  explicit Progress(const std::optional<std::string>& file) : file_(file) {}
  void set(int percent);

 private:
  std::optional<std::string> file_;
  int last_ = -1;
};

struct DrawingOptions {
  int verbosity = 0;
  bool listAllBlocks = false;
  size_t total = 0;       // the chunks of the whole map, for the progress
  size_t leftOut = 0;     // unfinished chunks the plan left out, counted in the summary
  int progressFrom = 0, progressTo = 99;  // the share of the progress file this drawing moves through
};

class MapDrawing {
 public:
  MapDrawing(const DrawingOptions& options, ChunkPipeline& pipeline, Painter& painter, const BlockLook& look,
             Progress& progress, std::ostream& errors, std::ostream& reports);

  // Draws the chunks of the groups into the canvas, in their order.
  void draw(const std::vector<const ChunkGroup*>& groups, MapCanvas& canvas);
  // Shows the painter the chunks of the groups that `only` picks, without drawing them: what
  // the chunks drawn before them take from them.
  void prime(const std::vector<const ChunkGroup*>& groups, const std::function<bool(const ChunkPlace&)>& only);

  // Takes the regions whose tiles check out from the cache, and keeps the tiles of the others.
  void useTiles(const RegionTiles* tiles) { tiles_ = tiles; }
  // The share of the progress file that the chunks still to come move through.
  void progressSpan(int from, int to) {
    options_.progressFrom = from;
    options_.progressTo = to;
  }
  // Called after each region drawn, with what its chunks added to the summary.
  void afterRegion(std::function<void(const ChunkGroup&, const RenderSummary&)> done) { afterRegion_ = std::move(done); }
  // Counts a region taken from the cache: what its chunks add to the summary, and the progress.
  void addTaken(const RenderSummary& counts, size_t chunks);

  const RenderSummary& summary() const { return summary_; }
  const BlockCensus& census() const { return census_; }

 private:
  void take(const ChunkGroup& g, const ChunkPlace& place, DecodedChunk& d, MapCanvas& canvas);
  int percentDone() const;

  DrawingOptions options_;
  ChunkPipeline& pipeline_;
  Painter& painter_;
  const BlockLook& look_;
  Progress& progress_;
  std::ostream& errors_;
  std::ostream& reports_;
  RenderSummary summary_;
  BlockCensus census_;
  size_t done_ = 0;
  const RegionTiles* tiles_ = nullptr;
  std::function<void(const ChunkGroup&, const RenderSummary&)> afterRegion_;
};

}  // namespace sgrender
