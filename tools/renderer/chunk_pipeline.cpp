#include "renderer/chunk_pipeline.h"

#include <algorithm>

#include "renderer/formats/nbt.h"
#include "renderer/world/region_file.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

// The memory chunks in flight may take, whatever the number of threads: the tags being read,
// and the decoded chunks of a batch waiting to be drawn (a world's tallest chunk, 4,096 levels,
// takes 4 MB decoded).
constexpr size_t kReadingBudget = size_t(128) << 20, kDecodedBudget = size_t(128) << 20;
constexpr size_t kLargestChunkModel = size_t(4096) * 256 * 4;

}  // namespace

ChunkPipeline::ChunkPipeline(int threads, bool light) : pool_(threads), reading_(kReadingBudget), light_(light) {}

void ChunkPipeline::run(const ChunkGroup& g, const std::vector<ChunkPlace>& places, const Take& take) {
  if (places.empty()) return;
  RegionFile region;
  std::string regionError;
  const bool regionOpen = g.regionFile.empty() || region.open(sgsys::nameOf(g.regionFile), regionError);
  // A batch's decoded chunks wait to be taken; at most as many as the budget for them holds of
  // the tallest chunk any world has.
  const size_t batch = std::clamp<size_t>(kDecodedBudget / kLargestChunkModel, 1, static_cast<size_t>(pool_.threads()) * 8);
  std::vector<DecodedChunk> decoded(std::min(batch, places.size()));
  for (size_t first = 0; first < places.size(); first += batch) {
    const size_t n = std::min(batch, places.size() - first);
    pool_.run(n, [&](size_t i) {
      DecodedChunk& d = decoded[i];
      d = DecodedChunk{};
      if (!regionOpen) {
        d.error = "its region file cannot be read: " + regionError;
        return;
      }
      thread_local std::vector<uint8_t> data;
      if (!readChunkBytes(g, places[first + i], g.regionFile.empty() ? nullptr : &region, data, d.error)) return;
      if (unfinishedAtAGlance(data.data(), data.size())) {
        d.verdict = ChunkVerdict::Unfinished;
        return;
      }
      // The tags are measured before they are read, and read once what they take fits in the
      // budget beside the other threads' chunks.
      const NbtSkip& skip = unreadChunkFields(light_);
      size_t need = 0;
      if (measureNbt(data.data(), data.size(), need, d.error, &skip)) {
        BudgetHold hold(reading_, need + data.size());
        NbtTag root;
        if (parseNbt(data.data(), data.size(), root, d.error, &skip)) d.verdict = decodeChunk(root, d.chunk, d.error);
      }
      if (data.capacity() > (size_t(512) << 10)) std::vector<uint8_t>().swap(data);  // a rare large chunk's room goes
      d.chunk.chunkX = places[first + i].x;
      d.chunk.chunkZ = places[first + i].z;
    });
    for (size_t i = 0; i < n; ++i) take(places[first + i], decoded[i]);
  }
}

}  // namespace sgrender
