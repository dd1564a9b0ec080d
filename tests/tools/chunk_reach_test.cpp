// Where a chunk's turn draws on a projected map: every pixel that a chunk's turn changes lies in
// the rows and columns its reach gives, whether the reach is the whole height of the map or only
// up to the highest blocks of the chunk and of those before it. Parts of the map (bands, and the
// tiles of the render cache) are drawn from the chunks that reach them, so a reach that falls
// short loses pixels.
#include <gtest/gtest.h>

#include <sstream>

#include "demo_worlds.h"
#include "renderer/chunk_pipeline.h"
#include "renderer/chunk_reach.h"
#include "renderer/map_drawing.h"
#include "renderer/map_plan.h"
#include "renderer/render_arguments.h"
#include "renderer/request_parts.h"

namespace {

struct TurnBox {
  int top = INT_MAX, bottom = INT_MIN, left = INT_MAX, right = INT_MIN;
  bool any() const { return top != INT_MAX; }
};

// Draws the plan chunk by chunk and gives the box of the pixels each chunk's turn changed, and
// the census of their grounds.
std::vector<TurnBox> drawTurnByTurn(const std::string& options, sgrender::MapPlan& plan,
                                    std::unique_ptr<sgrender::Painter>& painter, sgrender::GroundCensus& census) {
  std::string error;
  std::vector<std::string> words;
  std::istringstream in("custom w nocache " + options);
  for (std::string w; in >> w;) words.push_back(w);
  auto req = sgrender::parseRenderArguments(words, error);
  EXPECT_TRUE(req) << error;
  std::ostringstream quiet;
  EXPECT_TRUE(sgrender::planMap(*req, "w", plan, quiet, error)) << error;
  static std::unique_ptr<sgrender::BlockLook> look;
  look = std::make_unique<sgrender::BlockLook>(sgrender::lookOptions(*req));
  painter = sgrender::makePainter(sgrender::paintOptions(*req), *look, plan.frame);
  sgrender::ChunkPipeline pipeline(1, false);
  sgrender::Progress progress(std::nullopt);
  sgrender::MapDrawing drawing({}, pipeline, *painter, *look, progress, quiet, quiet);
  sgrender::MapCanvas canvas(painter->width(), painter->height(), true);
  std::vector<sgrender::GroundEvent> events;
  painter->banded()->recordGrounds(&events);
  std::vector<TurnBox> boxes;
  for (const auto& g : plan.chunks.groups)
    for (const auto& c : g.chunks) {
      const sgrender::ChunkGroup one{g.regionX, g.regionZ, g.regionFile, {c}};
      const sgimage::RgbaImage before = canvas.image();
      drawing.draw({&one}, canvas);
      TurnBox box;
      for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
          const sgimage::Rgba a = before.at(x, y), b = canvas.image().at(x, y);
          if (a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a) continue;
          box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
          box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        }
      boxes.push_back(box);
    }
  painter->banded()->recordGrounds(nullptr);
  census = sgrender::censusOf({&events});
  return boxes;
}

}  // namespace

TEST(ChunkReach, EveryPixelOfAChunksTurnLiesInItsReach) {
  sgtest::writeSmallDemoWorld("w", 6, true);
  for (std::string options : {"isometric", "isometric west", "oblique south", "obliqueangled east",
                              "isometric fool_cake", "isometric fool_upsidedown", "obliqueangled cave north"}) {
#ifdef SG_SANITIZED
    if (options != "isometric") continue;  // each turn compares the whole canvas
#endif
    SCOPED_TRACE(options);
    sgrender::MapPlan plan;
    std::unique_ptr<sgrender::Painter> painter;
    sgrender::GroundCensus census;
    const std::vector<TurnBox> boxes = drawTurnByTurn(options, plan, painter, census);
    int drawn = 0;
    using Tops = const std::unordered_map<long long, int>*;
    for (Tops tops : {Tops(nullptr), Tops(&census.top)}) {
      const std::vector<sgrender::ChunkReach> reach = sgrender::chunkReach(plan, *painter->banded(), tops);
      ASSERT_EQ(reach.size(), boxes.size());
      for (size_t i = 0; i < reach.size(); ++i) {
        if (!boxes[i].any()) continue;
        ++drawn;
        const auto& r = reach[i];
        const auto& c = r.group->chunks[r.place];
        EXPECT_GE(boxes[i].top, r.firstRow) << "chunk " << c.x << "," << c.z << (tops ? ", highest blocks" : "");
        EXPECT_LE(boxes[i].bottom, r.lastRow) << "chunk " << c.x << "," << c.z;
        EXPECT_GE(boxes[i].left, r.firstColumn) << "chunk " << c.x << "," << c.z;
        EXPECT_LE(boxes[i].right, r.lastColumn) << "chunk " << c.x << "," << c.z;
      }
    }
    EXPECT_GT(drawn, 0);
  }
}
