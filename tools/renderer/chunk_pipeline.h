// The chunk pipeline: a region's chunks read, inflated, decoded and prepared for the painter on
// every thread, a batch at a time, and handed on in their order, so that the image is the same
// for any number of threads. While the caller draws one batch the other threads decode the
// next. Memory is bounded by budgets, not by the thread count: the tags being read, and the
// decoded chunks of the two batches in flight.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "renderer/formats/chunk.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/styles/painter.h"
#include "renderer/memory_budget.h"
#include "renderer/work_pool.h"
#include "renderer/world/world_layout.h"

namespace sgrender {

struct DecodedChunk {
  ChunkVerdict verdict = ChunkVerdict::Damaged;
  Chunk chunk;  // placed where the world's files put it, whatever the chunk says
  std::string error;
  std::unique_ptr<ChunkPrep> prep;  // what the painter worked out of the chunk alone
};

class ChunkPipeline {
 public:
  // light: whether block light is read (only where the picture shows it).
  ChunkPipeline(int threads, bool light);

  int threads() const { return pool_.threads(); }
  // What of a chunk the picture cannot show, left undecoded (nullptr: every section is read).
  void leaveOutHidden(const HiddenBelow* hidden) { hidden_ = hidden; }
  // Decodes the places of the group and hands each to `take`, in their order. `prepare`, when
  // given, runs on the decoding thread for each decoded chunk.
  using Take = std::function<void(const ChunkPlace&, DecodedChunk&)>;
  using Prepare = std::function<void(DecodedChunk&)>;
  void run(const ChunkGroup& group, const std::vector<ChunkPlace>& places, const Take& take,
           const Prepare& prepare = nullptr);

 private:
  WorkPool pool_;
  MemoryBudget reading_;
  bool light_;
  const HiddenBelow* hidden_ = nullptr;
};

}  // namespace sgrender
