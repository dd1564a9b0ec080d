#include "renderer/styles/block_faces.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "renderer/blocks/block_colours.h"
#include "renderer/styles/cell_bits.h"

namespace sgrender {

static_assert((kBlockIdLimit & (kBlockIdLimit - 1)) == 0, "block ids are masked to the limit");

namespace {

long long key(int x, int z) { return groundKey(x, z); }

// Levels as seen are offset by this in the ground count (seen from below they are negated).
constexpr int kSeenOffset = kLevelCount / 2;

// Water's surface: shallow water lets the floor show, deep water is nearly opaque and darker.
sgimage::Rgba waterSurface(sgimage::Rgba water, int depth) {
  const double opacity = 1.0 - 0.6 * std::pow(0.8, depth - 1);
  sgimage::Rgba c = lit(water, 1.0 - 0.35 * std::min(1.0, (depth - 1) / 20.0));
  c.a = static_cast<uint8_t>(std::lround(std::max(opacity * 255.0, double(water.a) * 0.75)));
  return c;
}

// Water cut open at the map's edge: opaque, darker with the depth below its surface.
sgimage::Rgba waterSide(sgimage::Rgba water, int belowSurface) {
  sgimage::Rgba c = lit(water, 0.95 - 0.45 * std::min(1.0, belowSurface / 24.0));
  c.a = 255;
  return c;
}

}  // namespace

SeenBlocks::SeenBlocks(const PaintOptions& r, const BlockLook& look, const MapFrame& frame)
    : request_(r), look_(look), frame_(frame), up_(r.upsideDown ? -1 : 1), around_(frame.view, !r.noBiomes),
      surfaces_(kLevelCount + 1, 0) {
  auto [x0, z0] = frame.view.toWorld(0, 0);
  auto [xu, zu] = frame.view.toWorld(1, 0);
  auto [xv, zv] = frame.view.toWorld(0, 1);
  dxU_ = xu - x0, dzU_ = zu - z0, dxV_ = xv - x0, dzV_ = zv - z0;
  for (uint16_t id = 0; id < kBlockIdLimit; ++id)
    cellFlags_[id] = static_cast<uint8_t>(look.solidBlock(id) | look.drawnBlock(id) << 1 |
                                          (isWater(id) && look.drawnBlock(id)) << 2);
  // A layer of snow is an eighth of a block: not a cell of its own, but the white top of the
  // block it lies on, whose sides show as they are (seen from below, it is not seen at all).
  if (look.drawnBlock(kSnowLayer)) snowCaps_ = up_ > 0;
  cellFlags_[kSnowLayer] = 0;
}

// The highest level drawn in a column: in the Nether, the open space under the roof.
int SeenBlocks::ceiling(const Chunk& c, int x, int z) const {
  if (!request_.nether || request_.upsideDown) return INT_MAX;
  int y = c.topY();
  while (y >= c.minY && c.id(x, y, z) == kAir) --y;
  while (y >= c.minY && c.id(x, y, z) != kAir) --y;
  return y;
}

// Which cells of the chunk hide what is behind them, and which are water, worked out once.
void SeenBlocks::classify(const Chunk& c, std::vector<uint8_t>& solid_, std::vector<uint8_t>& water_,
                          std::vector<uint8_t>& drawn_, std::vector<int>& ceilings_) const {
  ceilings_.assign(256, INT_MAX);
  bool roofed = false;
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) roofed |= (ceilings_[z * 16 + x] = ceiling(c, x, z)) != INT_MAX;
  // Every cell is written below: water and drawn may come with room from an earlier chunk.
  solid_.resize(c.ids.size());
  if (water_.size() < c.ids.size()) water_.resize(c.ids.size());
  if (drawn_.size() < c.ids.size()) drawn_.resize(c.ids.size());
  for (int y = c.minY; y <= c.topY(); ++y) {
    const size_t row = c.index(0, y, 0);
    const uint16_t* ids = c.ids.data() + row;
    uint8_t *solid = solid_.data() + row, *drawn = drawn_.data() + row, *water = water_.data() + row;
    const uint8_t* flags = cellFlags_.data();
    if (!look_.layerShown(y) ||
        std::all_of(ids + 1, ids + 256, [first = ids[0]](uint16_t id) { return id == first; })) {
      // A level left out, or of one block (air above the ground, mostly): the same for every cell.
      const uint8_t f = look_.layerShown(y) ? flags[ids[0] & (kBlockIdLimit - 1)] : 0;
      std::fill(solid, solid + 256, f & 1);
      std::fill(drawn, drawn + 256, (f >> 1) & 1);
      std::fill(water, water + 256, (f >> 2) & 1);
    } else {
      for (int i = 0; i < 256; ++i) {
        const uint8_t f = flags[ids[i] & (kBlockIdLimit - 1)];
        solid[i] = f & 1;
        drawn[i] = (f >> 1) & 1;
        water[i] = (f >> 2) & 1;
      }
    }
    if (roofed)
      for (int i = 0; i < 256; ++i)
        if (y > ceilings_[size_t(i)]) solid[i] = drawn[i] = water[i] = 0;
  }
  if (!request_.cave) return;
  // Cave mode: the open cells below the ground of their column are enclosed; the solid cells
  // under and beside them are the caves' floors and walls, and nothing else is drawn.
  auto levelOf = [&](int k) { return up_ > 0 ? c.topY() - k : c.minY + k; };
  std::vector<uint8_t> enclosed(c.ids.size(), 0);
  for (int i = 0; i < 256; ++i) {
    bool covered = false;
    for (int k = 0; k < c.height; ++k) {
      const size_t at = c.index(i % 16, levelOf(k), i / 16);
      if (solid_[at] && !isFoliage(c.ids[at])) covered = true;
      else if (covered && !solid_[at]) enclosed[at] = 1;
    }
  }
  auto open = [&](int x, int y, int z) {
    return x >= 0 && x < 16 && z >= 0 && z < 16 && c.holds(y) && enclosed[c.index(x, y, z)];
  };
  std::vector<uint8_t> shell(c.ids.size(), 0);
  for (int y = c.minY; y <= c.topY(); ++y)
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        const size_t at = c.index(x, y, z);
        // Floors and walls; a ceiling alone would hide the floor below it.
        shell[at] = solid_[at] && (open(x, y + up_, z) || open(x + 1, y, z) || open(x - 1, y, z) ||
                                   open(x, y, z + 1) || open(x, y, z - 1));
      }
  solid_ = std::move(shell);
  std::fill(water_.begin(), water_.end(), 0);
}

// The faces of the chunk's blocks that can be seen, in drawing order: its columns in view order,
// farthest first, each from the bottom up as seen.
void SeenBlocks::findFaces(const Chunk& c, const std::vector<uint8_t>& solid_, const std::vector<uint8_t>& water_,
                           const std::vector<uint8_t>& drawn_, const std::vector<int>& ceilings_,
                           SeenChunk& seen) const {
  const int up = up_;
  auto solid = [&](int x, int y, int z) { return c.holds(y) && solid_[c.index(x, y, z)]; };
  auto water = [&](int x, int y, int z) { return c.holds(y) && water_[c.index(x, y, z)]; };
  auto inside = [](int x, int z) { return x >= 0 && x < 16 && z >= 0 && z < 16; };
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
  // The cells worth a look, a level at a time: drawn (in cave mode, the caves' shells), under
  // the column's ceiling, and not buried: a solid block with solid blocks above it and on both
  // near sides (or on the chunk's edge, whose sides the next chunks show). Most cells end here.
  const int levels = c.height;
  const int nearU = dxU_ + 16 * dzU_, nearV = dxV_ + 16 * dzV_;
  std::vector<LevelBits> solidBits(static_cast<size_t>(levels)), worth(static_cast<size_t>(levels));
  for (int k = 0; k < levels; ++k) solidBits[size_t(k)] = packLevel(solid_.data() + size_t(k) * 256);
  const bool roofed = std::any_of(ceilings_.begin(), ceilings_.end(), [](int y) { return y != INT_MAX; });
  // Each column's worthy cells in `cells`, from first[i]: a chunk of 4096 levels has up to a
  // million, more than 16 bits count.
  std::array<uint32_t, 257> first{};
  for (int k = 0; k < levels; ++k) {
    const LevelBits& s = solidBits[size_t(k)];
    const int above = k + up;
    const LevelBits over = above >= 0 && above < levels ? solidBits[size_t(above)] : LevelBits{};
    const LevelBits buried = s & neighbours(s, nearU, true) & neighbours(s, nearV, true) & over;
    LevelBits w = (request_.cave ? s : packLevel(drawn_.data() + size_t(k) * 256)) & ~buried;
    if (roofed) {
      const int y = c.minY + k;
      for (int i = 0; i < 256; ++i)
        if (y > ceilings_[size_t(i)]) w[size_t(i / 64)] &= ~(uint64_t(1) << (i % 64));
    }
    worth[size_t(k)] = w;
    eachCell(w, [&](int i) { ++first[size_t(i) + 1]; });
  }
  for (int i = 0; i < 256; ++i) first[size_t(i) + 1] += first[size_t(i)];
  // Each column's cells in the order they are drawn: upwards, or downwards seen from below.
  std::vector<uint16_t> cells(first[256]);
  std::array<uint32_t, 256> filled = {};
  for (int n = 0; n < levels; ++n) {
    const int k = request_.upsideDown ? levels - 1 - n : n;
    eachCell(worth[size_t(k)], [&](int i) { cells[first[size_t(i)] + filled[size_t(i)]++] = static_cast<uint16_t>(k); });
  }

  SeenChunk::Face f;
  for (auto [x, z] : columns) {
    std::tie(f.u, f.v) = viewOf({x, z});
    f.x = static_cast<uint8_t>(x), f.z = static_cast<uint8_t>(z);
    const bool edgeU = !inside(x + dxU_, z + dzU_), edgeV = !inside(x + dxV_, z + dzV_);
    const size_t column = static_cast<size_t>(z * 16 + x);
    for (uint32_t n = first[column]; n < first[column + 1]; ++n) {
      const int y = c.minY + cells[n];
      const size_t at = c.index(x, y, z);
      const bool isSolid = solid_[at];
      const uint16_t id = c.ids[at];
      const bool isWater = water_[at];
      if (request_.cave ? !isSolid : !look_.drawn(id, y)) continue;
      f.surfaceOnU = f.surfaceOnV = false;
      f.snowCap = false;
      if (isWater) {
        f.top = !water(x, y + up, z);
        f.sideU = f.sideV = false;
        // The water beside it at the same level, with its own top showing (past the chunk's
        // edge, the sea most likely goes on).
        auto surfaceAt = [&](int nx, int nz, bool edge) {
          return edge || (water(nx, y, nz) && !water(nx, y + up, nz));
        };
        f.surfaceOnU = f.top && surfaceAt(x + dxU_, z + dzU_, edgeU);
        f.surfaceOnV = f.top && surfaceAt(x + dxV_, z + dzV_, edgeV);
      } else if (!isSolid) {
        // See-through blocks show their top only where the same block does not lie above: the
        // top of the glass, not every layer of it.
        f.top = !(c.holds(y + up) && c.id(x, y + up, z) == id && y + up <= ceilings_[z * 16 + x]);
        f.sideU = f.sideV = false;
      } else {
        f.top = !solid(x, y + up, z);
        f.snowCap = snowCaps_ && f.top && c.holds(y + 1) && c.id(x, y + 1, z) == kSnowLayer && look_.drawn(kSnowLayer, y + 1);
        f.sideU = !edgeU && !solid(x + dxU_, y, z + dzU_);
        f.sideV = !edgeV && !solid(x + dxV_, y, z + dzV_);
      }
      if (!f.top && !f.sideU && !f.sideV) continue;  // buried: most blocks end here
      f.y = y;
      f.id = id;
      f.data = c.dataAt(x, y, z);
      f.water = isWater;
      if (isWater) {
        int depth = 1;
        while (depth < 32 && c.holds(y - up * depth) && y - up * depth <= ceilings_[z * 16 + x] &&
               (water(x, y - up * depth, z) || isWaterFilled(c.id(x, y - up * depth, z))))
          ++depth;
        f.depth = static_cast<uint8_t>(depth);
      }
      if (!look_.fullLight()) {
        f.topLight = look_.light(c, x, y + up, z);
        f.sideULight = edgeU ? look_.ambient() : look_.light(c, x + dxU_, y, z + dzU_);
        f.sideVLight = edgeV ? look_.ambient() : look_.light(c, x + dxV_, y, z + dzV_);
      }
      seen.faces.push_back(f);
    }
  }

}

// The blocks along the chunk's near edges, which the next chunks show or the map's edge cuts.
void SeenBlocks::keepEdgeRuns(const Chunk& c, const std::vector<uint8_t>& solid_, const std::vector<uint8_t>& water_,
                              SeenChunk& seen) const {
  for (bool towardsU : {true, false}) {
    const int dx = towardsU ? dxU_ : dxV_, dz = towardsU ? dzU_ : dzV_;
    SeenChunk::EdgeColumns& e = seen.edges[towardsU ? 0 : 1];
    for (int z = 0; z < 16; ++z)
      for (int x = 0; x < 16; ++x) {
        int nx = x + dx, nz = z + dz;
        if (nx >= 0 && nx < 16 && nz >= 0 && nz < 16) continue;
        std::vector<Run> runs;
        for (int y = c.minY; y <= c.topY(); ++y) {
          const size_t at = c.index(x, y, z);
          const bool isWater = water_[at];
          if (!solid_[at] && !isWater) continue;
          const uint16_t id = c.ids[at];
          const uint8_t data = c.data[at];
          Run* last = runs.empty() ? nullptr : &runs.back();
          if (last && last->y1 == y - 1 && last->id == id && last->data == data && last->water == isWater)
            last->y1 = y;
          else
            runs.push_back({y, y, id, data, isWater});
        }
        e.columns.emplace_back(x, z);
        e.runs.push_back(std::move(runs));
      }
  }
}

std::unique_ptr<SeenChunk> SeenBlocks::prepare(const Chunk& c) const {
  auto seen = std::make_unique<SeenChunk>();
  if (c.height == 0) return seen;
  const int up = up_;
  std::vector<uint8_t>& solid_ = seen->solid;
  // Each thread's own room for what the chunk's cells are, beyond which hide what is behind them.
  thread_local std::vector<uint8_t> water_, drawn_;
  std::vector<int> ceilings_;
  classify(c, solid_, water_, drawn_, ceilings_);
  auto levelOf = [&](int k) { return up > 0 ? c.topY() - k : c.minY + k; };
  if (!request_.cave)
    // The ground of each column, as seen, for the map's floor.
    for (int i = 0; i < 256; ++i)
      for (int k = 0; k < c.height; ++k) {
        const int y = levelOf(k);
        if (!solid_[c.index(i % 16, y, i / 16)]) continue;
        seen->grounds.push_back(up * y);
        break;
      }
  if (gathering_) return seen;  // the ground is all the census takes
  for (int z = 0; z < 16; ++z)
    for (int x = 0; x < 16; ++x) {
      int& surface = seen->surface[static_cast<size_t>(z * 16 + x)];
      surface = INT_MIN;
      for (int k = 0; k < c.height; ++k) {
        const int y = levelOf(k);
        const size_t at = c.index(x, y, z);
        if (solid_[at] || water_[at]) {
          surface = y;
          break;
        }
      }
    }

  findFaces(c, solid_, water_, drawn_, ceilings_, *seen);
  keepEdgeRuns(c, solid_, water_, *seen);
  return seen;
}

void SeenBlocks::visit(const Chunk& c, const SeenChunk& seen, const DrawBlock& draw) {
  if (c.height == 0) return;
  if (gathering_) gathering_->lowestBefore[key(c.chunkX, c.chunkZ)] = lowestGround_;
  else if (census_) groundBefore(c.chunkX, c.chunkZ);
  if (recording_) {
    GroundEvent& e = recording_->emplace_back(GroundEvent{c.chunkX, c.chunkZ, false, {}, up_ > 0 ? c.topY() : -c.minY});
    std::vector<int> grounds = seen.grounds;
    std::sort(grounds.begin(), grounds.end());
    for (int g : grounds)
      if (e.grounds.empty() || e.grounds.back().first != g) e.grounds.emplace_back(g, 1);
      else ++e.grounds.back().second;
  }
  for (int ground : seen.grounds) {
    ++surfaces_[static_cast<size_t>(ground + kSeenOffset)];
    lowestGround_ = std::min(lowestGround_, ground);
  }
  if (gathering_) return;
  around_.prepare(c, [&](int x, int z) { return seen.surface[static_cast<size_t>(z * 16 + x)]; });

  // First the edges of farther chunks that this one now shows.
  if (auto it = waiting_.find(key(c.chunkX, c.chunkZ)); it != waiting_.end()) {
    for (const Edge& e : it->second) showEdge(e, &c, &seen, draw);
    waiting_.erase(it);
  }

  SeenBlock s;
  for (const SeenChunk::Face& f : seen.faces) {
    s.u = f.u, s.v = f.v;
    s.top = f.top, s.sideU = f.sideU, s.sideV = f.sideV;
    s.surfaceOnU = f.surfaceOnU, s.surfaceOnV = f.surfaceOnV;
    const int wx = c.chunkX * 16 + f.x, wz = c.chunkZ * 16 + f.z;
    s.colour = look_.colour(f.id, f.data, wx, f.y, wz, &around_.tints(f.x, f.z));
    if (s.colour.a == 0) continue;
    if (f.water) s.colour = waterSurface(s.colour, f.depth);
    if (request_.cave) s.colour = caveColour(s.colour, f.y);
    s.topColour = s.colour;
    if (f.snowCap) {
      s.topColour = look_.colour(kSnowLayer, 0, wx, f.y + 1, wz);
      // Grass under snow is snowy grass: its sides are of dirt, as the game draws them.
      if (f.id == kGrassBlock) s.colour = look_.colour(kDirt, 0, wx, f.y, wz);
    }
    s.y = request_.upsideDown ? -f.y : f.y;
    s.topLight = f.topLight, s.sideULight = f.sideULight, s.sideVLight = f.sideVLight;
    draw(s);
  }
  keepEdges(c, seen, draw);
}

void SeenBlocks::keepEdges(const Chunk& c, const SeenChunk& seen, const DrawBlock& draw) {
  for (bool towardsU : {true, false}) {
    const int dx = towardsU ? dxU_ : dxV_, dz = towardsU ? dzU_ : dzV_;
    const SeenChunk::EdgeColumns& columns = seen.edges[towardsU ? 0 : 1];
    Edge e{c.chunkX, c.chunkZ, towardsU, c.minY, c.topY(), columns.columns, columns.runs, {}};
    for (auto [x, z] : columns.columns) e.tints.push_back(around_.tints(x, z));
    if (frame_.stored && !frame_.stored(c.chunkX + dx, c.chunkZ + dz)) onMapEdge(std::move(e), draw);
    else waiting_[key(c.chunkX + dx, c.chunkZ + dz)].push_back(std::move(e));
  }
}

void SeenBlocks::onMapEdge(Edge e, const DrawBlock& draw) {
  if (request_.cake) {
    showEdge(e, nullptr, nullptr, draw);
    return;
  }
  if (request_.cave) return;  // a map of caves shows nothing at its edges
  {
    // Levels more than one below the lowest ground so far lie under any floor the map can have,
    // and a cliff shows the levels of its top 64 blocks; below those it is filled from what lies
    // above, so that an edge holds at most that much whatever the world's blocks.
    for (auto& runs : e.runs) {
      if (runs.empty()) continue;
      const int surface = up_ > 0 ? runs.back().y1 : -runs.front().y0;
      const int keepFrom = std::max(lowestGround_ == INT_MAX ? INT_MIN + 1 : lowestGround_ - 1, surface - 64);
      std::vector<Run> kept;
      for (Run run : runs) {
        const int a = up_ * run.y0, b = up_ * run.y1, hi = std::max(a, b);
        if (hi < keepFrom) continue;
        if (std::min(a, b) < keepFrom) {
          if (up_ > 0) run.y0 = keepFrom;
          else run.y1 = -keepFrom;
        }
        kept.push_back(run);
      }
      runs = std::move(kept);
    }
  }
  mapEdges_.push_back(std::move(e));
}

void SeenBlocks::absent(int chunkX, int chunkZ, const DrawBlock& draw) {
  if (recording_) recording_->push_back(GroundEvent{chunkX, chunkZ, true, {}});
  if (gathering_) {
    gathering_->lowestBefore[key(chunkX, chunkZ)] = lowestGround_;
    return;
  }
  if (census_) groundBefore(chunkX, chunkZ);
  if (auto it = waiting_.find(key(chunkX, chunkZ)); it != waiting_.end()) {
    for (Edge& e : it->second) onMapEdge(std::move(e), draw);
    waiting_.erase(it);
  }
}

void SeenBlocks::showEdge(const Edge& e, const Chunk* next, const SeenChunk* nextSeen, const DrawBlock& draw) {
  const int dx = e.towardsU ? dxU_ : dxV_, dz = e.towardsU ? dzU_ : dzV_;
  SeenBlock s;
  s.top = false;
  s.sideU = e.towardsU;
  s.sideV = !e.towardsU;
  for (size_t i = 0; i < e.columns.size(); ++i) {
    auto [x, z] = e.columns[i];
    std::tie(s.u, s.v) = frame_.view.toView(e.chunkX * 16 + x, e.chunkZ * 16 + z);
    if (!next) {
      showCut(e, i, draw, s);
      continue;
    }
    const int wx = e.chunkX * 16 + x, wz = e.chunkZ * 16 + z;
    const int nx = (x + dx + 16) % 16, nz = (z + dz + 16) % 16;
    for (const Run& run : e.runs[i]) {
      if (run.water) continue;  // water meets water, or the next chunk's own faces
      for (int y = run.y0; y <= run.y1; ++y) {
        // The next chunk's cells were classified when it came, just before its waiting edges.
        if (next->holds(y) && nextSeen->solid[next->index(nx, y, nz)]) continue;
        s.colour = look_.colour(run.id, run.data, wx, y, wz, &e.tints[i]);
        if (request_.cave) s.colour = caveColour(s.colour, y);
        s.y = request_.upsideDown ? -y : y;
        s.sideULight = s.sideVLight = look_.fullLight() ? 1.0 : look_.light(*next, nx, y, nz);
        draw(s);
      }
    }
  }
}

// One column on the map's own edge: the cut through it.
void SeenBlocks::showCut(const Edge& e, size_t column, const DrawBlock& draw, SeenBlock& s) {
  const std::vector<Run>& runs = e.runs[column];
  if (runs.empty() || (request_.cave && !request_.cake)) return;  // a map of caves has no ground to stand on
  auto [x, z] = e.columns[column];
  const int wx = e.chunkX * 16 + x, wz = e.chunkZ * 16 + z;
  s.sideULight = s.sideVLight = look_.fullLight() ? 1.0 : look_.ambient();
  // Levels as seen, from the surface down: seen from below, the world's bottom is its surface.
  const int surface = up_ > 0 ? runs.back().y1 : -runs.front().y0;
  const int end = up_ > 0 ? e.bottom : -e.top;
  const int floor = request_.cake ? INT_MIN : floor_;
  size_t r = up_ > 0 ? runs.size() - 1 : 0;
  bool haveRun = true;
  int waterTop = INT_MIN;
  sgimage::Rgba fill{};
  // A pit below the floor is closed at the floor, so that its bottom does not hang below the map.
  const int first = floor == INT_MIN ? surface : std::max(surface, floor - 1);
  for (int seen = first; seen >= end; --seen) {
    const int y = up_ * seen;
    s.y = seen;
    // Below the floor nothing is seen, but the ground still hides what lies behind it.
    s.hidden = seen < floor;
    if (s.hidden) {
      draw(s);
      continue;
    }
    while (haveRun && (up_ > 0 ? runs[r].y0 > y : runs[r].y1 < y)) {
      if (up_ > 0 ? r == 0 : r + 1 == runs.size()) haveRun = false;
      else r = up_ > 0 ? r - 1 : r + 1;
    }
    const Run* run = haveRun && runs[r].y0 <= y && y <= runs[r].y1 ? &runs[r] : nullptr;
    if (run) {
      sgimage::Rgba colour = look_.colour(run->id, run->data, wx, y, wz, &e.tints[column]);
      if (run->water) {
        if (waterTop == INT_MIN) waterTop = seen;
        colour = waterSide(colour, waterTop - seen);
      } else {
        waterTop = INT_MIN;
      }
      fill = request_.cave ? caveColour(colour, y) : colour;
    } else if (request_.cake) {
      continue;  // the cut shows the caves it opens
    }
    // Elsewhere an open cell in the cliff (a cave) is shown as the cliff above it.
    s.colour = fill;
    draw(s);
  }
  s.hidden = false;
}

// The lowest level of the map's ground, as seen.
int SeenBlocks::floorLevel() const {
  std::vector<std::pair<int, long>> counts;
  for (size_t i = 0; i < surfaces_.size(); ++i)
    if (surfaces_[i]) counts.emplace_back(static_cast<int>(i) - kSeenOffset, surfaces_[i]);
  return floorOf(counts);
}

void SeenBlocks::endGathering() {
  if (gathering_) gathering_->floor = floorLevel();
  gathering_ = nullptr;
}

void SeenBlocks::beginBand(const GroundCensus* census) {
  waiting_.clear();
  mapEdges_.clear();
  around_ = Surroundings(frame_.view, !request_.noBiomes);
  std::fill(surfaces_.begin(), surfaces_.end(), 0);
  lowestGround_ = INT_MAX;
  census_ = census;
}

void SeenBlocks::groundBefore(int chunkX, int chunkZ) {
  auto it = census_->lowestBefore.find(key(chunkX, chunkZ));
  if (it != census_->lowestBefore.end()) lowestGround_ = it->second;
}

void SeenBlocks::finish(const DrawBlock& draw) {
  if (gathering_) return;
  floor_ = census_ ? census_->floor : floorLevel();
  for (const auto& [k, edges] : waiting_)
    for (const Edge& e : edges) showEdge(e, nullptr, nullptr, draw);
  waiting_.clear();
  for (const Edge& e : mapEdges_) showEdge(e, nullptr, nullptr, draw);
  mapEdges_.clear();
}

namespace {

struct ViewSpan {
  int minU = INT_MAX, maxU = INT_MIN, minV = INT_MAX, maxV = INT_MIN;
};

ViewSpan chunkSpan(const View& view, int chunkX, int chunkZ) {
  ViewSpan s;
  for (int dx : {0, 15})
    for (int dz : {0, 15}) {
      auto [u, v] = view.toView(chunkX * 16 + dx, chunkZ * 16 + dz);
      s.minU = std::min(s.minU, u), s.maxU = std::max(s.maxU, u), s.minV = std::min(s.minV, v), s.maxV = std::max(s.maxV, v);
    }
  return s;
}

}  // namespace

std::pair<int, int> ProjectedPainter::columnsOf(int chunkX, int chunkZ) const {
  const auto [minU, maxU, minV, maxV] = chunkSpan(frame_.view, chunkX, chunkZ);
  const ViewExtent& e = frame_.extent;
  return columnsFor(minU - 1 - e.minU, maxU - e.minU, minV - 1 - e.minV, maxV - e.minV);
}

std::pair<int, int> ProjectedPainter::rowsOf(int chunkX, int chunkZ, int highestSeen) const {
  const auto [minU, maxU, minV, maxV] = chunkSpan(frame_.view, chunkX, chunkZ);
  // The edges of the farther chunks beside it are drawn at its turn: one column farther each way.
  const ViewExtent& e = frame_.extent;
  const int seenLow = upsideDown_ ? -frame_.highestY : frame_.lowestY;
  const int seenHigh = std::min(highestSeen, upsideDown_ ? -frame_.lowestY : frame_.highestY);
  return rowsFor(minU - 1 - e.minU, maxU - e.minU, minV - 1 - e.minV, maxV - e.minV, frame_.highestY - seenHigh,
                 frame_.highestY - seenLow);
}

}  // namespace sgrender
