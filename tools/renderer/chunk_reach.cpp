#include "renderer/chunk_reach.h"

#include <algorithm>
#include <climits>
#include <tuple>

namespace sgrender {

namespace {

int floorDiv16(int v) { return v >= 0 ? v / 16 : -((-v + 15) / 16); }

}  // namespace

std::vector<ChunkReach> chunkReach(const MapPlan& plan, const BandedPainter& painter,
                                   const std::unordered_map<long long, int>* tops) {
  std::vector<ChunkReach> all;
  std::unordered_map<long long, int> byView;
  auto viewChunk = [&](const ChunkPlace& c) {
    auto [u, v] = plan.frame.view.toView(c.x * 16 + 8, c.z * 16 + 8);
    return std::pair(floorDiv16(u), floorDiv16(v));
  };
  for (const auto& g : plan.chunks.groups)
    for (size_t i = 0; i < g.chunks.size(); ++i) {
      auto [firstColumn, lastColumn] = painter.columnsOf(g.chunks[i].x, g.chunks[i].z);
      auto [cu, cv] = viewChunk(g.chunks[i]);
      byView[placeKey(cu, cv)] = static_cast<int>(all.size());
      all.push_back({&g, i, 0, 0, firstColumn, lastColumn});
    }
  for (auto& c : all) {
    auto [cu, cv] = viewChunk(c.group->chunks[c.place]);
    const std::pair<int, int> far[3] = {{cu, cv - 1}, {cu - 1, cv}, {cu - 1, cv - 1}};
    for (int k = 0; k < 3; ++k)
      if (auto it = byView.find(placeKey(far[k].first, far[k].second)); it != byView.end()) c.far[k] = it->second;
    const std::pair<int, int> near[2] = {{cu + 1, cv}, {cu, cv + 1}};
    for (int k = 0; k < 2; ++k)
      if (auto it = byView.find(placeKey(near[k].first, near[k].second)); it != byView.end()) c.near[k] = it->second;
  }
  auto topOf = [&](const ChunkReach& c) {
    const ChunkPlace& p = c.group->chunks[c.place];
    auto it = tops->find(groundKey(p.x, p.z));
    return it == tops->end() ? INT_MIN : it->second;
  };
  for (auto& c : all) {
    const ChunkPlace& p = c.group->chunks[c.place];
    int highest = INT_MAX;
    if (tops) {
      highest = topOf(c);
      for (int f : c.far)
        if (f >= 0) highest = std::max(highest, topOf(all[static_cast<size_t>(f)]));
      if (highest == INT_MIN) highest = INT_MAX;  // nothing known: as high as the map goes
    }
    std::tie(c.firstRow, c.lastRow) = painter.rowsOf(p.x, p.z, highest);
  }
  return all;
}

std::vector<int> chunksFor(const std::vector<ChunkReach>& all, int top, int bottom, int left, int right) {
  std::vector<char> picked(all.size(), 0);
  std::vector<int> pending;
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].lastRow >= top && all[i].firstRow <= bottom && all[i].lastColumn >= left &&
        all[i].firstColumn <= right) {
      picked[i] = 1;
      pending.push_back(static_cast<int>(i));
    }
  for (int ring = 0; ring < 2; ++ring) {
    std::vector<int> next;
    for (int i : pending)
      for (int f : all[static_cast<size_t>(i)].far)
        if (f >= 0 && !picked[static_cast<size_t>(f)]) {
          picked[static_cast<size_t>(f)] = 1;
          next.push_back(f);
        }
    pending = std::move(next);
  }
  std::vector<int> out;
  for (size_t i = 0; i < all.size(); ++i)
    if (picked[i]) out.push_back(static_cast<int>(i));
  return out;
}

std::vector<ChunkGroup> groupsOf(const std::vector<ChunkReach>& all, const std::vector<int>& picked) {
  std::vector<ChunkGroup> groups;
  for (int i : picked) {
    const ChunkReach& c = all[static_cast<size_t>(i)];
    if (groups.empty() || groups.back().regionX != c.group->regionX || groups.back().regionZ != c.group->regionZ)
      groups.push_back({c.group->regionX, c.group->regionZ, c.group->regionFile, {}});
    groups.back().chunks.push_back(c.group->chunks[c.place]);
  }
  return groups;
}

}  // namespace sgrender
