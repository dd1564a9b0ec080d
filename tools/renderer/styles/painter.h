// A painter draws chunks of the model into the map canvas in one style. Painters see only the
// chunk model and the render's options; a new style is a new painter.
#pragma once
#include <climits>
#include <functional>
#include <memory>

#include "renderer/formats/chunk.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/image/map_canvas.h"
#include "renderer/styles/block_look.h"
#include "renderer/styles/ground_census.h"
#include "renderer/terms/map_frame.h"
#include "renderer/terms/map_terms.h"

namespace sgrender {

// The render's options that change what a painter draws.
struct PaintOptions {
  Style style = Style::Normal;
  bool cave = false, cake = false, nether = false, upsideDown = false;
  bool noBiomes = false;  // every biome drawn in the temperate default's colours
};

// What a painter works out of one chunk alone, before the chunk's turn to be drawn comes.
struct ChunkPrep {
  virtual ~ChunkPrep() = default;
};

class Painter {
 public:
  virtual ~Painter() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Whether the canvas needs a depth per pixel.
  virtual bool needsDepth() const { return false; }
  virtual void paint(const Chunk& chunk, MapCanvas& canvas) { paintPrepared(chunk, prepare(chunk).get(), canvas); }
  // The part of drawing a chunk that needs no other chunk: run on any thread, in any order, at
  // once for several chunks; nullptr when the painter does it all in paint().
  virtual std::unique_ptr<ChunkPrep> prepare(const Chunk&) const { return nullptr; }
  // Draws a chunk in its turn, from what prepare() gave (nullptr: nothing was prepared).
  virtual void paintPrepared(const Chunk& chunk, const ChunkPrep* prep, MapCanvas& canvas) = 0;
  // Shows the painter a chunk that is drawn later, for what the chunks drawn before it take
  // from it (the map from above drawn bottom band first).
  virtual void prime(const Chunk&) {}
  // What of a chunk this painter never shows, so that it need not be decoded; nullptr when it
  // may show any of it.
  virtual const HiddenBelow* hiddenBelow() const { return nullptr; }
  // A stored chunk that will not be drawn (unfinished or damaged): its place is a gap in the map.
  virtual void absent(int /*chunkX*/, int /*chunkZ*/, MapCanvas&) {}
  // After the last chunk (the projected styles draw the map's own edges in cake mode).
  virtual void finish(MapCanvas&) {}

  // A map drawn a band of rows at a time (the projected styles, whose chunks reach far down
  // the map): first a census pass over every chunk, which draws nothing, then one pass a band
  // over the chunks whose turns draw on its rows (and the chunks before them that they take
  // edges and biomes from). Each band comes out as it would in the whole map.
  virtual bool drawsInBands() const { return false; }
  // The rows of the map that the chunk's turn can draw on, inclusive; `highestSeen`: the highest
  // level, as seen, of the blocks its turn draws, where known.
  virtual std::pair<int, int> rowsOf(int /*chunkX*/, int /*chunkZ*/, int /*highestSeen*/ = INT_MAX) const {
    return {0, height() - 1};
  }
  // The columns likewise.
  virtual std::pair<int, int> columnsOf(int /*chunkX*/, int /*chunkZ*/) const { return {0, width() - 1}; }
  virtual void beginCensus() {}
  virtual void endCensus() {}
  virtual void beginBand() {}
  // The grounds of the chunks met from now on, in order, for a census kept region by region.
  virtual void recordGrounds(std::vector<GroundEvent>* /*events*/) {}
  // The census the bands take, put together from kept regions in place of a census pass.
  virtual void useCensus(GroundCensus) {}
};

std::unique_ptr<Painter> makePainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame);

// The painters, one per family of styles.
std::unique_ptr<Painter> makeTopDownPainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame);
std::unique_ptr<Painter> makeObliquePainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame,
                                            bool angled);
std::unique_ptr<Painter> makeIsometricPainter(const PaintOptions& options, const BlockLook& look,
                                              const MapFrame& frame);

}  // namespace sgrender
