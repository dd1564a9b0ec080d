#include "renderer/map_plan.h"

#include <algorithm>

#include "renderer/request_parts.h"
#include "renderer/world/level_file.h"
#include "system/tool_system.h"

namespace sgrender {

namespace {

long long chunkKey(int x, int z) { return (static_cast<long long>(x) << 32) ^ static_cast<uint32_t>(z); }

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

  auto stored = std::make_shared<std::unordered_set<long long>>();
  for (const auto& g : chunks.groups)
    for (const auto& c : g.chunks) {
      plan.minX = std::min(plan.minX, c.x);
      plan.maxX = std::max(plan.maxX, c.x);
      plan.minZ = std::min(plan.minZ, c.z);
      plan.maxZ = std::max(plan.maxZ, c.z);
      stored->insert(chunkKey(c.x, c.z));
      ++plan.total;
    }
  if (r.rectangle && r.rectangle->keepWhitespace) {
    plan.minX = r.rectangle->minX;
    plan.maxX = r.rectangle->maxX;
    plan.minZ = r.rectangle->minZ;
    plan.maxZ = r.rectangle->maxZ;
  }
  if (plan.minX > plan.maxX) {
    std::string why = r.rectangle ? "no chunk lies in the chosen range" : "its region files hold no chunks";
    if (!chunks.problems.empty()) why = "no region file could be read; the first: " + chunks.problems.front();
    reason = "nothing drawn of " + named + " (" + layoutName(chunks.layout) + "): " + why;
    return false;
  }
  MapFrame& frame = plan.frame;
  frame.view.up = r.orientation;
  frame.extent = viewExtent(frame.view, plan.minX, plan.maxX, plan.minZ, plan.maxZ);
  if (r.nether) frame.lowestY = 0, frame.highestY = 127;
  frame.seaLevel = r.nether ? 32 : seaLevelOf(world, chunks.layout);  // the Nether's sea is of lava
  frame.stored = [stored](int x, int z) { return stored->count(chunkKey(x, z)) > 0; };
  sortFarToNear(plan.chunks, frame.view);
  return true;
}

}  // namespace sgrender
