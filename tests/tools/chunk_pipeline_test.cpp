// The chunk pipeline hands every chunk on once, in the plan's order, prepared by the painter,
// whatever the number of threads; the pool's two-step round does every task once while the
// caller works; and small files are written whole or not at all.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "renderer/chunk_pipeline.h"
#include "renderer/request_parts.h"
#include "renderer/work_pool.h"
#include "system/atomic_file.h"
#include "tool_test_support.h"
#include "demo_worlds.h"

namespace fs = std::filesystem;

namespace {

struct Counted : sgrender::ChunkPrep {
  int blocks = 0;
};

// What the pipeline handed on, in order: place, verdict and a sum over the chunk's blocks.
std::vector<std::string> pipelineRun(int threads, const sgrender::WorldChunks& chunks) {
  sgrender::ChunkPipeline pipeline(threads, true);
  std::vector<std::string> seen;
  std::atomic<int> prepared{0};
  for (const auto& g : chunks.groups)
    pipeline.run(
        g, g.chunks,
        [&](const sgrender::ChunkPlace& p, sgrender::DecodedChunk& d) {
          const auto* c = static_cast<const Counted*>(d.prep.get());
          seen.push_back(std::to_string(p.x) + "," + std::to_string(p.z) + " " +
                         std::to_string(static_cast<int>(d.verdict)) + " " + (c ? std::to_string(c->blocks) : "-"));
        },
        [&](sgrender::DecodedChunk& d) {
          auto c = std::make_unique<Counted>();
          for (uint16_t id : d.chunk.ids) c->blocks += id;
          d.prep = std::move(c);
          ++prepared;
        });
  EXPECT_EQ(prepared.load(), static_cast<int>(seen.size()));
  return seen;
}

}  // namespace

TEST(ChunkPipeline, EveryChunkOnceInOrderPreparedForAnyNumberOfThreads) {
  sgtest::writeSmallDemoWorld("w", 12, false);
  std::string error;
  sgrender::WorldChunks chunks;
  ASSERT_TRUE(sgrender::listWorldChunks("w", sgrender::WorldQuery{}, chunks, error)) << error;
  const auto one = pipelineRun(1, chunks);
  ASSERT_EQ(one.size(), 144u);
  size_t i = 0;
  for (const auto& g : chunks.groups)
    for (const auto& p : g.chunks) EXPECT_EQ(one[i++].rfind(std::to_string(p.x) + "," + std::to_string(p.z) + " ", 0), 0u);
  EXPECT_EQ(pipelineRun(2, chunks), one);
  EXPECT_EQ(pipelineRun(5, chunks), one);
}

TEST(WorkPool, TheTwoStepRoundDoesEveryTaskOnceWhileTheCallerWorks) {
  for (int threads : {1, 2, 4}) {
    sgrender::WorkPool pool(threads);
    std::vector<std::atomic<int>> done(500);
    const std::function<void(size_t)> task = [&](size_t i) { ++done[i]; };
    pool.start(done.size(), task);
    volatile long busy = 0;
    for (int k = 0; k < 100000; ++k) busy = busy + k;  // the caller's own work meanwhile
    pool.finish();
    for (const auto& d : done) EXPECT_EQ(d.load(), 1) << threads << " threads";
    pool.finish();  // nothing started: returns at once
    pool.start(0, task);
    pool.finish();
  }
}

TEST(AtomicFile, AFileIsReplacedWholeOrLeftAsItWas) {
  ASSERT_TRUE(sgsys::writeFileAtomically("list.txt", "first\r\n"));
  ASSERT_TRUE(sgsys::writeFileAtomically("list.txt", std::string(100000, 'x')));
  EXPECT_EQ(sgtest::slurp("list.txt"), std::string(100000, 'x'));
  // A folder where the file should go: nothing is replaced and no temporary is left behind.
  fs::create_directory("taken");
  EXPECT_FALSE(sgsys::writeFileAtomically("taken", "text"));
  EXPECT_TRUE(fs::is_directory("taken"));
  EXPECT_FALSE(sgsys::writeFileAtomically("missing/list.txt", "text"));
  for (const auto& e : fs::directory_iterator("."))
    EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();
  std::string error;
  EXPECT_FALSE(sgsys::placeTemporary("no such temporary", "list.txt", error));
  EXPECT_NE(error.find("list.txt"), std::string::npos);
  EXPECT_EQ(sgtest::slurp("list.txt"), std::string(100000, 'x'));
}
