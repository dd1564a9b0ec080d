// The chunk pipeline: a region's chunks read, inflated and decoded on every thread, a batch at
// a time, and handed on in their order, so that the image is the same for any number of
// threads. Memory is bounded by budgets, not by the thread count: the tags being read, and the
// decoded chunks of a batch waiting to be drawn.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "renderer/formats/chunk.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/memory_budget.h"
#include "renderer/work_pool.h"
#include "renderer/world/world_layout.h"

namespace sgrender {

struct DecodedChunk {
  ChunkVerdict verdict = ChunkVerdict::Damaged;
  Chunk chunk;  // placed where the world's files put it, whatever the chunk says
  std::string error;
};

class ChunkPipeline {
 public:
  // light: whether block light is read (only where the picture shows it).
  ChunkPipeline(int threads, bool light);

  int threads() const { return pool_.threads(); }
  // Decodes the places of the group and hands each to `take`, in their order.
  using Take = std::function<void(const ChunkPlace&, DecodedChunk&)>;
  void run(const ChunkGroup& group, const std::vector<ChunkPlace>& places, const Take& take);

 private:
  WorkPool pool_;
  MemoryBudget reading_;
  bool light_;
};

}  // namespace sgrender
