// The blocks of a chunk that a projected view can see, with the faces it sees of each: the top,
// and the sides that face the viewer (towards +u and +v of the view). A face shows where the
// cell beside it lets the eye through (air, water, glass, a block the filters leave out).
//
// Water is a volume: its surface is the more opaque and darker the deeper the water below it,
// and where the map cuts a body of water open its side shows as water.
//
// A side on a chunk's edge faces the next chunk, which is drawn later (chunks come far to
// near): the edge is kept, in runs, until that chunk comes and says which of its faces show.
// Edges whose next chunk never comes lie on the map's own edge. In cake mode they show the cut
// through the world down to its bottom. Otherwise each edge column shows from its surface down
// to the map's floor, the lowest surface level of the map, and hides everything below it, so a
// mountain at the edge stands on its own cliff and no cave hangs under the map.
//
// In cave mode the ground is taken away: only the shells of enclosed spaces (their floors,
// walls and ceilings) are drawn, coloured by their depth.
#pragma once
#include <array>
#include <climits>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "renderer/blocks/block_names.h"
#include "renderer/styles/banded_painter.h"
#include "renderer/styles/painter.h"
#include "renderer/styles/surroundings.h"

namespace sgrender {

struct SeenBlock {
  int u = 0, v = 0, y = 0;        // the block in view coordinates and its level (negated seen from below)
  sgimage::Rgba colour;           // before light
  sgimage::Rgba topColour;        // of its top: its own, or the snow lying on it
  bool top = false, sideU = false, sideV = false;
  double topLight = 1, sideULight = 1, sideVLight = 1;
  bool hidden = false;            // ground under the map's edge: it hides what lies behind, unseen
  // A see-through top whose neighbour towards +u (+v) shows the same surface beside it: where
  // the two tops' pixels meet, only the nearer one is laid, so that a surface of water is one
  // even layer rather than a pattern of single and double layers.
  bool surfaceOnU = false, surfaceOnV = false;
};

using DrawBlock = std::function<void(const SeenBlock&)>;

// A run of equal blocks (or of water) in a column, upwards, inclusive.
struct BlockRun {
  int y0, y1;
  uint16_t id;
  uint8_t data;
  bool water;  // a run of water (a side shows only where the map cuts it open)
};

// What a chunk shows, worked out of the chunk alone (on any thread): which cells hide what lies
// behind them, the ground of its columns, the faces of its blocks that can be seen, in drawing
// order, and the blocks along its two near edges. Only the colours wait for the chunk's turn:
// they take the biomes around it, which come from the chunks drawn before.
struct SeenChunk : ChunkPrep {
  struct Face {
    int u = 0, v = 0, y = 0;  // y: the level, as it stands
    uint16_t id = 0;
    uint8_t data = 0, x = 0, z = 0, depth = 1;  // depth: of water, below its surface
    bool top = false, sideU = false, sideV = false, water = false;
    bool surfaceOnU = false, surfaceOnV = false;  // see SeenBlock
    bool snowCap = false;                         // a layer of snow lies on its top
    double topLight = 1, sideULight = 1, sideVLight = 1;
  };
  struct EdgeColumns {
    std::vector<std::pair<int, int>> columns;  // local x, z
    std::vector<std::vector<BlockRun>> runs;   // the solid and water blocks of each, upwards
  };
  std::vector<uint8_t> solid;       // of each cell
  std::array<int, 256> surface{};   // of column z * 16 + x: the highest drawn level, INT_MIN for none
  std::vector<int> grounds;         // the ground of each column that has one, as seen
  std::vector<Face> faces;
  EdgeColumns edges[2];             // towards +u, towards +v
};

class SeenBlocks {
 public:
  SeenBlocks(const PaintOptions& request, const BlockLook& look, const MapFrame& frame);

  // The ground of the whole map, gathered by a first pass over every chunk, for a map drawn a
  // band at a time: each band's pass then meets the edges of the map exactly as a pass over the
  // whole map meets them.
  using GroundCensus = sgrender::GroundCensus;
  // While gathering, chunks are only measured: nothing is drawn.
  void gather(GroundCensus* census) { gathering_ = census; }
  // Ends the gathering: the map's floor from every chunk.
  void endGathering();
  // Keeps the grounds of each chunk met (drawn or gathered) from now on, in order.
  void record(std::vector<GroundEvent>* events) { recording_ = events; }
  // Starts a band: nothing of an earlier pass is kept, and the ground comes from the census.
  void beginBand(const GroundCensus* census);

  // Works out what the chunk shows by itself; thread-safe.
  std::unique_ptr<SeenChunk> prepare(const Chunk& chunk) const;
  // Calls draw for the faces of the chunk's seen blocks (farthest first), and for the faces on
  // the edges of farther chunks that this chunk shows.
  void visit(const Chunk& chunk, const SeenChunk& seen, const DrawBlock& draw);
  // A stored chunk that will not come: the edges waiting for it lie on the map's edge.
  void absent(int chunkX, int chunkZ, const DrawBlock& draw);
  // After the last chunk: the faces on the map's own edge.
  void finish(const DrawBlock& draw);

 private:
  using Run = BlockRun;
  struct Edge {
    int chunkX, chunkZ;                 // the chunk the edge belongs to
    bool towardsU;                      // its +u side (else its +v side)
    int bottom, top;                    // the chunk's lowest and highest levels
    std::vector<std::pair<int, int>> columns;  // local x, z of each edge column
    std::vector<std::vector<Run>> runs;        // the solid and water blocks of each column, upwards
    std::vector<BiomeTints> tints;             // of each column
  };

  // Which cells hide what lies behind them, which are drawn and which are drawn water, and the
  // ceiling of each column (the Nether's roof).
  void classify(const Chunk& c, std::vector<uint8_t>& solid, std::vector<uint8_t>& water,
                std::vector<uint8_t>& drawn, std::vector<int>& ceilings) const;
  void findFaces(const Chunk& c, const std::vector<uint8_t>& solid, const std::vector<uint8_t>& water,
                 const std::vector<uint8_t>& drawn, const std::vector<int>& ceilings, SeenChunk& seen) const;
  void keepEdgeRuns(const Chunk& c, const std::vector<uint8_t>& solid, const std::vector<uint8_t>& water,
                    SeenChunk& seen) const;
  void keepEdges(const Chunk& c, const SeenChunk& seen, const DrawBlock& draw);
  // An edge whose next chunk will never come: drawn at once in cake mode; otherwise kept for the
  // end, without the levels far below any ground seen so far, which the map's floor hides.
  void onMapEdge(Edge edge, const DrawBlock& draw);
  void showEdge(const Edge& edge, const Chunk* next, const SeenChunk* nextSeen, const DrawBlock& draw);
  void showCut(const Edge& edge, size_t column, const DrawBlock& draw, SeenBlock& s);
  int ceiling(const Chunk& c, int x, int z) const;
  int floorLevel() const;

  const PaintOptions request_;
  const BlockLook& look_;
  const MapFrame& frame_;
  int up_;  // +1, or -1 for the world seen from below
  int dxU_, dzU_, dxV_, dzV_;
  std::array<uint8_t, kBlockIdLimit> cellFlags_{};  // of each id: solid, drawn, drawn water (bits 0 to 2)
  bool snowCaps_ = false;  // layers of snow are drawn as the tops of the blocks they lie on
  std::unordered_map<long long, std::vector<Edge>> waiting_;  // by the next chunk's key
  std::vector<Edge> mapEdges_;  // on the map's own edge, to be drawn at the end
  int lowestGround_ = INT_MAX;  // the lowest ground seen so far, as seen
  Surroundings around_;         // the biomes around the columns of the chunk being visited
  std::vector<long> surfaces_;  // how many columns have their ground at each level, as seen
  int floor_ = 0;               // the map's floor, as seen, once the last chunk is in
  GroundCensus* gathering_ = nullptr;
  std::vector<GroundEvent>* recording_ = nullptr;
  const GroundCensus* census_ = nullptr;
  // In a band, the lowest ground seen before the chunk, as the whole pass saw it.
  void groundBefore(int chunkX, int chunkZ);
};

// The projected styles' common part: a depth buffer, the seen blocks of each chunk handed to
// draw(), and the map's own edges at the end.
class ProjectedPainter : public BandedPainter {
 public:
  ProjectedPainter(const PaintOptions& request, const BlockLook& look, const MapFrame& frame)
      : frame_(frame), seen_(request, look, frame_), levels_(frame.highestY - frame.lowestY + 1),
        upsideDown_(request.upsideDown) {}
  bool needsDepth() const override { return true; }
  std::unique_ptr<ChunkPrep> prepare(const Chunk& c) const override { return seen_.prepare(c); }
  void paintPrepared(const Chunk& c, const ChunkPrep* prep, MapCanvas& canvas) override {
    std::unique_ptr<SeenChunk> own;
    if (!prep) prep = (own = seen_.prepare(c)).get();
    seen_.visit(c, static_cast<const SeenChunk&>(*prep), drawOn(canvas));
  }
  void finish(MapCanvas& canvas) override { seen_.finish(drawOn(canvas)); }
  void absent(int chunkX, int chunkZ, MapCanvas& canvas) override { seen_.absent(chunkX, chunkZ, drawOn(canvas)); }

  std::pair<int, int> rowsOf(int chunkX, int chunkZ, int highestSeen = INT_MAX) const override;
  std::pair<int, int> columnsOf(int chunkX, int chunkZ) const override;
  void beginCensus() override { seen_.gather(&census_); }
  void endCensus() override { seen_.endGathering(); }
  void beginBand() override { seen_.beginBand(&census_); }
  void recordGrounds(std::vector<GroundEvent>* events) override { seen_.record(events); }
  void useCensus(GroundCensus census) override { census_ = std::move(census); }

 protected:
  virtual void draw(const SeenBlock& b, MapCanvas& canvas) const = 0;
  // The rows that blocks of these view columns (relative to the map) can take, with a lift (the
  // levels below the map's top, as seen) in the range given.
  virtual std::pair<int, int> rowsFor(int u0, int u1, int v0, int v1, int lift0, int lift1) const = 0;
  // The columns likewise, whatever the lift.
  virtual std::pair<int, int> columnsFor(int u0, int u1, int v0, int v1) const = 0;

  MapFrame frame_;
  SeenBlocks seen_;
  int levels_;

 private:
  // Blocks beyond the levels the map makes room for (a world taller than the game's own) are
  // left out, so that each lands in the rows its chunk's turn is known to draw on.
  DrawBlock drawOn(MapCanvas& canvas) const {
    return [this, &canvas](const SeenBlock& b) {
      const int y = upsideDown_ ? -b.y : b.y;
      if (y >= frame_.lowestY && y <= frame_.highestY) draw(b, canvas);
    };
  }

  bool upsideDown_;
  SeenBlocks::GroundCensus census_;
};

}  // namespace sgrender
