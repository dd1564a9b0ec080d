#include "renderer/world/bedrock/bedrock_world.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <unordered_map>

#include "renderer/terms/map_terms.h"
#include "renderer/world/chunk_bytes.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

int32_t littleInt(std::string_view k, size_t at) {
  return static_cast<int32_t>(uint32_t(uint8_t(k[at])) | uint32_t(uint8_t(k[at + 1])) << 8 |
                              uint32_t(uint8_t(k[at + 2])) << 16 | uint32_t(uint8_t(k[at + 3])) << 24);
}

void appendInt(std::string& s, int32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((uint32_t(v) >> (8 * i)) & 0xff);
}

bool chunkTag(uint8_t tag) {
  return tag == kSubChunk || tag == kData3D || tag == kData2D || tag == kData2DLegacy || tag == kVersion ||
         tag == kVersionNew || tag == kLegacyTerrain;
}

// The chunk a key belongs to in the dimension, when it is one of a chunk's records.
bool chunkOf(std::string_view key, BedrockDimension d, int& x, int& z) {
  const size_t head = d == BedrockDimension::Overworld ? 8 : 12;
  if (key.size() != head + 1 && key.size() != head + 2) return false;
  const auto tag = static_cast<uint8_t>(key[head]);
  if (!chunkTag(tag) || (key.size() == head + 2) != (tag == kSubChunk)) return false;
  if (d != BedrockDimension::Overworld && littleInt(key, 8) != static_cast<int32_t>(d)) return false;
  x = littleInt(key, 0);
  z = littleInt(key, 4);
  return true;
}

// The inflated blocks that the listing keeps for the chunks' reading, so that a world of a few
// regions is inflated once.
constexpr size_t kKeptBlocks = size_t(128) << 20;

int floorDiv32(int v) { return v >= 0 ? v / 32 : -((-v + 31) / 32); }

}  // namespace

bool isBedrockWorld(const fs::path& world) {
  std::error_code ec;
  return fs::is_regular_file(world / "db" / "CURRENT", ec);
}

namespace {

std::string levelNameOf(const fs::path& world) {
  std::ifstream in(world / "levelname.txt", std::ios::binary);
  std::string line;
  if (in && std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (line.find_first_not_of(' ') != std::string::npos) return line;
  }
  return sgsys::nameOf(world.filename());
}

std::vector<fs::path> worldRoots(const fs::path& saves) {
  std::vector<fs::path> roots = {saves};
  const fs::path games = fs::path("games") / "com.mojang" / "minecraftWorlds";
  std::error_code ec;
  if (const char* appdata = std::getenv("APPDATA"); appdata && *appdata)
    for (auto it = fs::directory_iterator(sgsys::pathOf(appdata) / "Minecraft Bedrock" / "Users", ec);
         !ec && it != fs::directory_iterator(); it.increment(ec))
      roots.push_back(it->path() / games);
  if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
    roots.push_back(sgsys::pathOf(local) / "Packages" / "Microsoft.MinecraftUWP_8wekyb3d8bbwe" / "LocalState" / games);
  return roots;
}

}  // namespace

std::optional<fs::path> findListedBedrockWorld(const fs::path& saves, const std::string& name) {
  for (const auto& root : worldRoots(saves)) {
    std::error_code ec;
    std::vector<fs::path> worlds;
    for (auto it = fs::directory_iterator(root, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
      worlds.push_back(it->path());
    std::sort(worlds.begin(), worlds.end());
    for (const auto& w : worlds) {
      if (!isBedrockWorld(w)) continue;
      const std::string own = levelNameOf(w);
      if (own == name || own + " (" + sgsys::nameOf(w.filename()) + ")" == name) return w;
    }
  }
  return std::nullopt;
}

bool bedrockDimension(const WorldQuery& q, BedrockDimension& out, std::string& error) {
  out = BedrockDimension::Overworld;
  if (q.nether) out = BedrockDimension::Nether;
  else if (q.dimension && *q.dimension == "DIM-1") out = BedrockDimension::Nether;
  else if (q.dimension && *q.dimension == "DIM1") out = BedrockDimension::End;
  else if (q.dimension) {
    error = "a Bedrock world has no dimension " + *q.dimension + " (only the Nether, DIM-1, and the End, DIM1)";
    return false;
  }
  return true;
}

std::string bedrockChunkPrefix(int x, int z, BedrockDimension d) {
  std::string prefix;
  appendInt(prefix, x);
  appendInt(prefix, z);
  if (d != BedrockDimension::Overworld) appendInt(prefix, static_cast<int32_t>(d));
  return prefix;
}

bool listBedrockChunks(const fs::path& world, const WorldQuery& q, WorldChunks& out, std::string& error) {
  out = WorldChunks{};
  out.folder = world;
  out.layout = StorageLayout::Bedrock;
  if (q.alpha || q.beta) {
    error = "a Bedrock world is neither Alpha chunk files nor Beta regions";
    return false;
  }
  auto store = std::make_shared<BedrockStore>();
  if (!bedrockDimension(q, store->dimension, error)) return false;
  if (!store->db.open(world / "db", error)) {
    error = "its store (db) cannot be read: " + error;
    return false;
  }
  // A chunk's stamp mixes every record of it, in any order: a record the game writes again
  // has a higher sequence number.
  std::unordered_map<long long, uint64_t> stamps;
  store->db.eachRecord([&](std::string_view key, uint64_t sequence, bool deleted, size_t size) {
    int x, z;
    if (!chunkOf(key, store->dimension, x, z)) return;
    if (q.rectangle && (x < q.rectangle->minX || x > q.rectangle->maxX || z < q.rectangle->minZ || z > q.rectangle->maxZ))
      return;
    uint64_t h = 1469598103934665603ull;
    for (char c : key) h = (h ^ uint8_t(c)) * 1099511628211ull;
    h = (h ^ sequence) * 1099511628211ull;
    h = (h ^ (uint64_t(size) << 1 | deleted)) * 1099511628211ull;
    stamps[placeKey(x, z)] += h | 1;
  }, q.threads, kKeptBlocks);
  for (const auto& p : store->db.problems()) out.problems.push_back(p);
  std::map<std::pair<int, int>, ChunkGroup> groups;  // by (regionZ, regionX)
  for (const auto& [key, stamp] : stamps) {
    const int x = static_cast<int>(key >> 32), z = static_cast<int32_t>(static_cast<uint32_t>(key));
    ChunkGroup& g = groups[{floorDiv32(z), floorDiv32(x)}];
    g.regionX = floorDiv32(x);
    g.regionZ = floorDiv32(z);
    g.bedrock = store;
    g.chunks.push_back(ChunkPlace{.x = x, .z = z, .alphaFile = {}, .saveStamp = stamp | 1});
  }
  for (auto& [place, g] : groups) {
    std::sort(g.chunks.begin(), g.chunks.end(),
              [](const ChunkPlace& a, const ChunkPlace& b) { return std::pair(a.z, a.x) < std::pair(b.z, b.x); });
    out.groups.push_back(std::move(g));
  }
  if (out.groups.empty()) {
    error = "its store holds no chunks of this dimension";
    return false;
  }
  return true;
}

ChunkVerdict readBedrockChunk(const BedrockStore& store, const ChunkPlace& place, Chunk& chunk, std::string& error,
                              const HiddenBelow* hidden) {
  const std::string prefix = bedrockChunkPrefix(place.x, place.z, store.dimension);
  // Only the chunk's own records are kept (a tag, and a sub-chunk's index), and no more of them
  // than the largest chunk holds; they are decoded where they lie.
  ChunkVerdict verdict = ChunkVerdict::Damaged;
  chunk.chunkX = place.x;
  chunk.chunkZ = place.z;
  const bool read = store.db.withPrefix(
      prefix,
      [&](const LevelDb::Records& records) {
        std::vector<BedrockRecord> own;
        for (const auto& [key, value] : records) {
          const std::string_view tail = key.substr(prefix.size());
          // The overworld's prefix is also the start of the other dimensions' keys of the chunk.
          if (!tail.empty() && tail.size() <= 2) own.push_back({tail, value});
        }
        verdict = decodeBedrockChunk(own, store.dimension, chunk, error, hidden);
      },
      error, prefix.size() + 2, kMaxChunkBytes);
  return read ? verdict : ChunkVerdict::Damaged;
}

}  // namespace sgrender
