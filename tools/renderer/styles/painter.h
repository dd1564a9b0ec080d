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

class BandedPainter;

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

  // The painter's banded side, where it draws a band of rows at a time; nullptr when it draws
  // the map whole.
  virtual BandedPainter* banded() { return nullptr; }
};

std::unique_ptr<Painter> makePainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame);

// The painters, one per family of styles.
std::unique_ptr<Painter> makeTopDownPainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame);
std::unique_ptr<Painter> makeObliquePainter(const PaintOptions& options, const BlockLook& look, const MapFrame& frame,
                                            bool angled);
std::unique_ptr<Painter> makeIsometricPainter(const PaintOptions& options, const BlockLook& look,
                                              const MapFrame& frame);

}  // namespace sgrender
