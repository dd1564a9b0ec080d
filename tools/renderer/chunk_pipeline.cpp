#include "renderer/chunk_pipeline.h"

#include <algorithm>

#include "renderer/formats/nbt.h"
#include "renderer/world/bedrock/bedrock_world.h"
#include "renderer/world/region_file.h"
#include "renderer/world/status_glance.h"
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

void ChunkPipeline::run(const ChunkGroup& g, const std::vector<ChunkPlace>& places, const Take& take,
                        const Prepare& prepare) {
  if (places.empty()) return;
  RegionFile region;
  std::string regionError;
  const bool regionOpen = g.regionFile.empty() || region.open(sgsys::nameOf(g.regionFile), regionError);
  // Two batches are in flight: one being taken, the next being decoded. Together they hold at
  // most what the budget holds of the tallest chunk any world has, and a few chunks a thread,
  // so that a chunk is still in the processor's caches when it is drawn.
  const size_t batch =
      std::clamp<size_t>(kDecodedBudget / kLargestChunkModel / 2, 1, static_cast<size_t>(pool_.threads()) * 4);
  // An unfinished chunk is told from its first bytes where they show its status.
  const StatusGlance unfinished(false);
  std::vector<DecodedChunk> decoded[2];
  size_t first[2] = {0, 0};
  auto decodeInto = [&](int b, size_t i) {
    DecodedChunk& d = decoded[b][i];
    const ChunkPlace& place = places[first[b] + i];
    d = DecodedChunk{};
    if (!regionOpen) {
      d.error = "its region file cannot be read: " + regionError;
      return;
    }
    if (g.bedrock) {
      d.verdict = readBedrockChunk(*g.bedrock, place, d.chunk, d.error, hidden_);
      if (d.verdict == ChunkVerdict::Decoded && prepare) prepare(d);
      return;
    }
    thread_local std::vector<uint8_t> data;
    if (!readChunkBytes(g, place, g.regionFile.empty() ? nullptr : &region, data, d.error, unfinished.glance()))
      return;
    if (unfinishedChunk(data.data(), data.size())) {
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
      if (parseNbt(data.data(), data.size(), root, d.error, &skip)) d.verdict = decodeChunk(root, d.chunk, d.error, hidden_);
    }
    if (data.capacity() > (size_t(512) << 10)) std::vector<uint8_t>().swap(data);  // a rare large chunk's room goes
    d.chunk.chunkX = place.x;
    d.chunk.chunkZ = place.z;
    if (d.verdict == ChunkVerdict::Decoded && prepare) prepare(d);
  };
  const std::function<void(size_t)> tasks[2] = {[&](size_t i) { decodeInto(0, i); },
                                                [&](size_t i) { decodeInto(1, i); }};
  auto begin = [&](int b, size_t from) {
    first[b] = from;
    decoded[b].resize(std::min(batch, places.size() - from));
    pool_.start(decoded[b].size(), tasks[b]);
  };
  begin(0, 0);
  pool_.finish();
  for (int b = 0;; b ^= 1) {
    const size_t next = first[b] + decoded[b].size();
    if (next < places.size()) begin(b ^ 1, next);
    for (size_t i = 0; i < decoded[b].size(); ++i) take(places[first[b] + i], decoded[b][i]);
    if (next >= places.size()) break;
    pool_.finish();
  }
}

}  // namespace sgrender
