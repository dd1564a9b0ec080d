// The ground of a projected map, gathered chunk by chunk. The map's edges show the cut through
// the world down to the map's floor (the lowest surface, leaving out the deepest pits), and an
// edge kept at a chunk's turn leaves out what lies far below the ground seen before it: both
// come from every chunk drawn before, so a map drawn in parts (bands, tiles) takes them from a
// census of the whole map.
//
// A chunk's part in the census is its grounds alone, so the census of a region can be kept and
// the census of the map put together again from its regions, in drawing order.
#pragma once
#include <climits>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "renderer/terms/map_terms.h"

namespace sgrender {

struct GroundCensus {
  std::unordered_map<long long, int> lowestBefore;  // by chunk: the lowest ground seen before it
  int floor = INT_MIN;
  std::unordered_map<long long, int> top;  // by chunk met with blocks: the highest level it holds, as seen
};

// A chunk met by the drawing: its grounds (level as seen, number of columns) and the highest
// level it holds, as seen; or a stored chunk that is not drawn.
struct GroundEvent {
  int chunkX = 0, chunkZ = 0;
  bool absent = false;
  std::vector<std::pair<int, int>> grounds;
  int top = INT_MIN;
};

// The key of a chunk in lowestBefore.
inline long long groundKey(int chunkX, int chunkZ) { return placeKey(chunkX, chunkZ); }

// The census that a pass meeting these chunks in this order gathers.
GroundCensus censusOf(const std::vector<const std::vector<GroundEvent>*>& inOrder);

// The lowest of the grounds (level, columns; levels ascending), leaving out the deepest pits and
// ravines (one column in a hundred), so that one pit does not stretch every cliff down to it;
// INT_MIN when there are none.
int floorOf(const std::vector<std::pair<int, long>>& ascending);

// The events in a form that the render cache keeps, and back (false for bytes that do not read).
std::vector<uint8_t> groundBytes(const std::vector<GroundEvent>& events);
bool readGroundBytes(const std::vector<uint8_t>& bytes, std::vector<GroundEvent>& events);

}  // namespace sgrender
