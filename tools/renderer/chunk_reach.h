// Where each chunk's turn draws on a projected map: the rows and columns it can reach, and the
// chunks just before it in view (north, west and north-west as seen) that it takes edges and
// biomes from. A part of the map (a band, a tile) comes out as in the whole map when it is drawn
// from the chunks that reach it and the two rings of chunks before them, in the plan's order.
#pragma once
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "renderer/map_plan.h"
#include "renderer/styles/banded_painter.h"

namespace sgrender {

struct ChunkReach {
  const ChunkGroup* group;
  size_t place;
  int firstRow, lastRow, firstColumn, lastColumn;
  int far[3] = {-1, -1, -1};  // the chunks before it in view, by their index
  int near[2] = {-1, -1};       // the chunks after it whose turns show its two near edges
};

// Every chunk of the plan, in the plan's order. With the census's tops (the highest level each
// chunk met holds, as seen), a chunk's turn reaches up only as far as the highest blocks of the
// chunk and of the chunks before it whose edges it draws.
std::vector<ChunkReach> chunkReach(const MapPlan& plan, const BandedPainter& painter,
                                   const std::unordered_map<long long, int>* tops = nullptr);

// The chunks (indices, ascending) that a part of the map is drawn from: those whose turns reach
// rows [top, bottom] and columns [left, right], and the two rings before them.
std::vector<int> chunksFor(const std::vector<ChunkReach>& all, int top, int bottom, int left, int right);

// The chunks picked, as groups of the plan's regions in the plan's order.
std::vector<ChunkGroup> groupsOf(const std::vector<ChunkReach>& all, const std::vector<int>& picked);

}  // namespace sgrender
