#include "renderer/map_plan.h"

#include <algorithm>
#include <atomic>
#include <optional>

#include "renderer/formats/decode_chunk.h"
#include "renderer/request_parts.h"
#include "renderer/work_pool.h"
#include "renderer/world/region_file.h"
#include "renderer/world/level_file.h"
#include "renderer/world/status_glance.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

// Far chunks first.
void sortFarToNear(WorldChunks& chunks, const View& view) {
  auto nearness = [&](int x, int z) {
    auto [u, v] = view.toView(x, z);
    return u + v;
  };
  std::sort(chunks.groups.begin(), chunks.groups.end(), [&](const ChunkGroup& a, const ChunkGroup& b) {
    return nearness(a.regionX, a.regionZ) < nearness(b.regionX, b.regionZ);
  });
  for (auto& g : chunks.groups)
    std::stable_sort(g.chunks.begin(), g.chunks.end(),
                     [&](const ChunkPlace& a, const ChunkPlace& b) { return nearness(a.x, a.z) < nearness(b.x, b.z); });
}

// The range the chunks span, the frame of the view, and the drawing order; false when no chunk
// is left.
bool layOut(const RenderRequest& r, MapPlan& plan) {
  const WorldChunks& chunks = plan.chunks;
  plan.minX = plan.minZ = INT_MAX;
  plan.maxX = plan.maxZ = INT_MIN;
  plan.total = 0;
  auto stored = std::make_shared<std::unordered_set<long long>>();
  for (const auto& g : chunks.groups)
    for (const auto& c : g.chunks) {
      plan.minX = std::min(plan.minX, c.x);
      plan.maxX = std::max(plan.maxX, c.x);
      plan.minZ = std::min(plan.minZ, c.z);
      plan.maxZ = std::max(plan.maxZ, c.z);
      stored->insert(placeKey(c.x, c.z));
      ++plan.total;
    }
  if (r.rectangle && r.rectangle->keepWhitespace) {
    plan.minX = r.rectangle->minX;
    plan.maxX = r.rectangle->maxX;
    plan.minZ = r.rectangle->minZ;
    plan.maxZ = r.rectangle->maxZ;
  }
  if (plan.minX > plan.maxX) return false;
  MapFrame& frame = plan.frame;
  frame.view.up = r.orientation;
  frame.extent = viewExtent(frame.view, plan.minX, plan.maxX, plan.minZ, plan.maxZ);
  if (r.nether) frame.lowestY = 0, frame.highestY = 127;
  frame.seaLevel = r.nether ? 32 : seaLevelOf(plan.world, chunks.layout);  // the Nether's sea is of lava
  frame.stored = [stored](int x, int z) { return stored->count(placeKey(x, z)) > 0; };
  sortFarToNear(plan.chunks, frame.view);
  return true;
}

}  // namespace

bool planMap(const RenderRequest& r, const std::filesystem::path& world, MapPlan& plan, std::ostream& errors,
             std::string& reason) {
  plan.world = world;
  const std::string named = "world '" + sgsys::nameOf(world) + "'";
  std::string error;
  auto folder = dimensionFolder(world, worldQuery(r), error);
  if (!folder || !listWorldChunks(*folder, worldQuery(r), plan.chunks, error)) {
    reason = "nothing drawn of " + named + ": " + error;
    return false;
  }
  const WorldChunks& chunks = plan.chunks;
  for (const auto& p : chunks.problems) errors << "renderer: skipped " << p << "\n";

  if (!layOut(r, plan)) {
    std::string why = r.rectangle ? "no chunk lies in the chosen range" : "its region files hold no chunks";
    if (!chunks.problems.empty()) why = "no region file could be read; the first: " + chunks.problems.front();
    reason = "nothing drawn of " + named + " (" + layoutName(chunks.layout) + "): " + why;
    return false;
  }
  return true;
}


namespace {

// The key of a region's unfinished chunks: the region and every chunk's save stamp; nullopt when
// a stamp cannot be told.
std::optional<CacheKey> unfinishedKey(const MapPlan& plan, const ChunkGroup& g) {
  KeyMaker k;
  k.add(std::string_view("unfinished 1")).add(canonicalName(plan.chunks.folder)).add(sgsys::nameOf(g.regionFile.filename()));
  k.add(g.regionX).add(g.regionZ);
  for (const auto& c : g.chunks) {
    if (c.saveStamp == 0) return std::nullopt;
    k.add(c.x).add(c.z).add(c.saveStamp);
  }
  return k.key();
}

// Which of the region's chunks are unfinished, from the cache: one byte a chunk.
bool unfinishedFromCache(const RenderCache* cache, const std::optional<CacheKey>& key, std::vector<uint8_t>& unfinished) {
  if (!cache || !key) return false;
  auto entry = cache->load(*key, "unfin", unfinished.size());
  if (!entry || entry->bytes.size() != unfinished.size()) return false;
  unfinished = std::move(entry->bytes);
  return true;
}

}  // namespace

void leaveOutUnfinished(const RenderRequest& r, MapPlan& plan, int threads, const RenderCache* cache) {
  // Worlds from before the game stored a chunk's status have no unfinished chunks to find: a
  // few chunks tell, before every chunk is read for it.
  bool statuses = false;
  size_t sampled = 0;
  for (const auto& g : plan.chunks.groups) {
    if (statuses || sampled == 8) break;
    if (g.chunks.empty()) continue;
    RegionFile region;
    std::string error;
    std::vector<uint8_t> data;
    if (!g.regionFile.empty() && !region.open(sgsys::nameOf(g.regionFile), error)) continue;
    ++sampled;
    if (readChunkBytes(g, g.chunks.front(), g.regionFile.empty() ? nullptr : &region, data, error))
      statuses = storesStatus(data.data(), data.size());
  }
  if (!statuses) return;
  WorkPool pool(threads);
  MapPlan kept = plan;
  std::vector<ChunkPlace> leftOut;
  for (auto& g : kept.chunks.groups) {
    RegionFile region;
    std::string error;
    if (!g.regionFile.empty() && !region.open(sgsys::nameOf(g.regionFile), error)) continue;
    std::vector<uint8_t> unfinished(g.chunks.size(), 0);
    const std::optional<CacheKey> key = unfinishedKey(plan, g);
    if (!unfinishedFromCache(cache, key, unfinished)) {
      std::atomic<bool> unread = false;
      // Only the status is wanted: a chunk is inflated whole only when it is not at the start.
      const StatusGlance status(true);
      pool.run(g.chunks.size(), [&](size_t i) {
        thread_local std::vector<uint8_t> data;
        std::string why;
        if (readChunkBytes(g, g.chunks[i], g.regionFile.empty() ? nullptr : &region, data, why, status.glance()))
          unfinished[i] = unfinishedChunk(data.data(), data.size());
        else
          unread = true;  // read again next time: the reading may have been what failed
        if (data.capacity() > (size_t(512) << 10)) std::vector<uint8_t>().swap(data);
      });
      if (cache && key && !unread) cache->store(*key, "unfin", CacheEntry{{}, unfinished}, true);
    }
    size_t stays = 0;
    for (size_t i = 0; i < g.chunks.size(); ++i) {
      if (unfinished[i]) leftOut.push_back(g.chunks[i]);
      else g.chunks[stays++] = g.chunks[i];
    }
    g.chunks.resize(stays);
  }
  // With nothing finished, the plan stays as it was: the render says that nothing was finished.
  if (leftOut.empty() || !layOut(r, kept)) return;
  kept.leftOut.insert(kept.leftOut.end(), leftOut.begin(), leftOut.end());
  plan = std::move(kept);
}

}  // namespace sgrender
