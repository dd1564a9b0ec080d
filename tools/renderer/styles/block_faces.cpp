#include "renderer/styles/block_faces.h"

#include <algorithm>
#include <array>
#include <climits>

#include "renderer/blocks/block_colours.h"

namespace sgrender {

namespace {

long long key(int x, int z) { return (static_cast<long long>(x) << 32) ^ static_cast<uint32_t>(z); }

}  // namespace

SeenBlocks::SeenBlocks(const RenderRequest& r, const BlockLook& look, const MapFrame& frame)
    : request_(r), look_(look), frame_(frame) {
  auto [x0, z0] = frame.view.toWorld(0, 0);
  auto [xu, zu] = frame.view.toWorld(1, 0);
  auto [xv, zv] = frame.view.toWorld(0, 1);
  dxU_ = xu - x0, dzU_ = zu - z0, dxV_ = xv - x0, dzV_ = zv - z0;
}

// The highest level drawn in a column: in the Nether, the open space under the roof.
int SeenBlocks::ceiling(const Chunk& c, int x, int z) const {
  if (!request_.nether || request_.upsideDown) return INT_MAX;
  int y = c.topY();
  while (y >= c.minY && c.id(x, y, z) == kAir) --y;
  while (y >= c.minY && c.id(x, y, z) != kAir) --y;
  return y;
}

void SeenBlocks::visit(const Chunk& c, const DrawBlock& draw) {
  if (c.height == 0) return;
  const int up = request_.upsideDown ? -1 : 1;
  ceilings_.assign(256, INT_MAX);
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) ceilings_[z * 16 + x] = ceiling(c, x, z);

  // Whether each cell hides what lies behind it, worked out once for the chunk.
  solid_.resize(c.ids.size());
  for (int y = c.minY; y <= c.topY(); ++y) {
    const size_t row = c.index(0, y, 0);
    for (int i = 0; i < 256; ++i)
      solid_[row + i] = y <= ceilings_[i] && look_.solid(c.ids[row + i], y);
  }
  auto solid = [&](int x, int y, int z) { return c.holds(y) && solid_[c.index(x, y, z)]; };
  auto inside = [](int x, int z) { return x >= 0 && x < 16 && z >= 0 && z < 16; };

  // First the edges of farther chunks that this one now shows.
  if (auto it = waiting_.find(key(c.chunkX, c.chunkZ)); it != waiting_.end()) {
    for (const Edge& e : it->second) showEdge(e, &c, draw);
    waiting_.erase(it);
  }

  // The chunk's columns in view order, farthest first.
  std::array<std::pair<int, int>, 256> columns;
  for (int i = 0; i < 256; ++i) columns[i] = {i % 16, i / 16};
  auto viewOf = [&](const std::pair<int, int>& p) {
    return frame_.view.toView(c.chunkX * 16 + p.first, c.chunkZ * 16 + p.second);
  };
  std::sort(columns.begin(), columns.end(), [&](const auto& a, const auto& b) {
    auto ka = viewOf(a), kb = viewOf(b);
    return std::pair(ka.second, ka.first) < std::pair(kb.second, kb.first);
  });

  SeenBlock s;
  for (auto [x, z] : columns) {
    std::tie(s.u, s.v) = viewOf({x, z});
    const int wx = c.chunkX * 16 + x, wz = c.chunkZ * 16 + z;
    const bool edgeU = !inside(x + dxU_, z + dzU_), edgeV = !inside(x + dxV_, z + dzV_);
    for (int k = 0; k < c.height; ++k) {
      const int y = request_.upsideDown ? c.topY() - k : c.minY + k;
      if (y > ceilings_[z * 16 + x]) continue;
      const uint16_t id = c.id(x, y, z);
      if (!look_.drawn(id, y)) continue;
      const bool clear = seeThroughBlock(id);
      // See-through blocks show their top only where the same block does not lie above: the
      // surface of the water, not every layer of it.
      s.top = clear ? !(c.holds(y + up) && c.id(x, y + up, z) == id && y + up <= ceilings_[z * 16 + x])
                    : !solid(x, y + up, z);
      s.sideU = !clear && !edgeU && !solid(x + dxU_, y, z + dzU_);
      s.sideV = !clear && !edgeV && !solid(x + dxV_, y, z + dzV_);
      if (!s.top && !s.sideU && !s.sideV) continue;  // buried: most blocks end here
      s.colour = look_.colour(id, c.dataAt(x, y, z), wx, y, wz);
      if (s.colour.a == 0) continue;
      s.y = request_.upsideDown ? -y : y;
      if (!look_.fullLight()) {
        s.topLight = look_.light(c, x, y + up, z);
        s.sideULight = edgeU ? look_.ambient() : look_.light(c, x + dxU_, y, z + dzU_);
        s.sideVLight = edgeV ? look_.ambient() : look_.light(c, x + dxV_, y, z + dzV_);
      }
      draw(s);
    }
  }
  keepEdges(c);
}

void SeenBlocks::keepEdges(const Chunk& c) {
  for (bool towardsU : {true, false}) {
    const int dx = towardsU ? dxU_ : dxV_, dz = towardsU ? dzU_ : dzV_;
    Edge e{c.chunkX, c.chunkZ, towardsU, {}, {}, {}};
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        int nx = x + dx, nz = z + dz;
        if (nx >= 0 && nx < 16 && nz >= 0 && nz < 16) continue;
        std::vector<Run> runs;
        for (int y = c.minY; y <= c.topY() && y <= ceilings_[z * 16 + x]; ++y) {
          uint16_t id = c.id(x, y, z);
          if (!look_.solid(id, y)) continue;
          uint8_t data = c.dataAt(x, y, z);
          if (!runs.empty() && runs.back().y1 == y - 1 && runs.back().id == id && runs.back().data == data)
            runs.back().y1 = y;
          else
            runs.push_back({y, y, id, data});
        }
        e.columns.emplace_back(x, z);
        e.spans.emplace_back(c.minY, runs.empty() ? c.minY - 1 : runs.back().y1);
        e.runs.push_back(std::move(runs));
      }
    waiting_[key(c.chunkX + dx, c.chunkZ + dz)].push_back(std::move(e));
  }
}

void SeenBlocks::showEdge(const Edge& e, const Chunk* next, const DrawBlock& draw) {
  const int dx = e.towardsU ? dxU_ : dxV_, dz = e.towardsU ? dzU_ : dzV_;
  SeenBlock s;
  s.hidden = !next && !request_.cake;
  s.top = false;
  s.sideU = e.towardsU;
  s.sideV = !e.towardsU;
  for (size_t i = 0; i < e.columns.size(); ++i) {
    auto [x, z] = e.columns[i];
    const int wx = e.chunkX * 16 + x, wz = e.chunkZ * 16 + z;
    const int nx = (x + dx + 16) % 16, nz = (z + dz + 16) % 16;
    std::tie(s.u, s.v) = frame_.view.toView(wx, wz);
    if (s.hidden) {
      // The whole cut below the surface hides what lies behind it, caves and all.
      for (int y = e.spans[i].first; y <= e.spans[i].second; ++y) {
        s.y = request_.upsideDown ? -y : y;
        draw(s);
      }
      continue;
    }
    for (const Run& run : e.runs[i])
      for (int y = run.y0; y <= run.y1; ++y) {
        bool shows = true;
        double light = look_.ambient();
        if (next) {
          if (next->holds(y) && y <= ceilings_[nz * 16 + nx]) {
            shows = !look_.solid(next->id(nx, y, nz), y);
          }
          if (shows && !look_.fullLight()) light = look_.light(*next, nx, y, nz);
        }
        if (!shows) continue;
        s.colour = look_.colour(run.id, run.data, wx, y, wz);
        s.y = request_.upsideDown ? -y : y;
        s.sideULight = s.sideVLight = look_.fullLight() ? 1.0 : light;
        draw(s);
      }
  }
}

void SeenBlocks::finish(const DrawBlock& draw) {
  for (const auto& [k, edges] : waiting_)
    for (const Edge& e : edges) showEdge(e, nullptr, draw);
  waiting_.clear();
}

}  // namespace sgrender
