// A painter that draws the map a band of rows at a time: the projected styles, whose chunks
// reach far down the map. The banded outputs, the sink and the cached projected map take it.
#pragma once
#include <climits>
#include <utility>
#include <vector>

#include "renderer/styles/ground_census.h"
#include "renderer/styles/painter.h"

namespace sgrender {

// First a census pass over every chunk, which draws nothing, then one pass a band over the
// chunks whose turns draw on its rows (and the chunks before them that they take edges and
// biomes from). Each band comes out as it would in the whole map.
class BandedPainter : public Painter {
 public:
  BandedPainter* banded() override { return this; }

  // The rows of the map that the chunk's turn can draw on, inclusive; `highestSeen`: the highest
  // level, as seen, of the blocks its turn draws, where known.
  virtual std::pair<int, int> rowsOf(int chunkX, int chunkZ, int highestSeen = INT_MAX) const = 0;
  // The columns likewise.
  virtual std::pair<int, int> columnsOf(int chunkX, int chunkZ) const = 0;
  virtual void beginCensus() = 0;
  virtual void endCensus() = 0;
  virtual void beginBand() = 0;
  // The grounds of the chunks met from now on, in order, for a census kept region by region.
  virtual void recordGrounds(std::vector<GroundEvent>* events) = 0;
  // The census the bands take, put together from kept regions in place of a census pass.
  virtual void useCensus(GroundCensus census) = 0;
};

}  // namespace sgrender
