#include "renderer/world/world_layout.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

#include "renderer/world/bedrock/bedrock_world.h"
#include "renderer/world/chunk_bytes.h"
#include "renderer/world/region_file.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

const char* layoutName(StorageLayout layout) {
  switch (layout) {
    case StorageLayout::Anvil: return "region files (.mca)";
    case StorageLayout::BetaRegions: return "Beta region files (.mcr)";
    case StorageLayout::AlphaChunks: return "Alpha chunk files";
    case StorageLayout::Bedrock: return "a Bedrock world's store (db)";
  }
  return "";
}

namespace {

bool isFolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

// A base-36 number as the Alpha layout writes it (a leading minus for negative ones).
std::optional<int> base36(const std::string& s) {
  if (s.empty() || s.size() > 8) return std::nullopt;
  size_t i = s[0] == '-' ? 1 : 0;
  if (i == s.size()) return std::nullopt;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'z' ? c - 'a' + 10 : -1;
    if (d < 0) return std::nullopt;
    v = v * 36 + d;  // eight digits at most: below 36^8, far inside 64 bits
  }
  if (v > INT32_MAX) return std::nullopt;
  return static_cast<int>(s[0] == '-' ? -v : v);
}

// c.<x>.<z>.dat
std::optional<std::pair<int, int>> alphaChunkName(const std::string& n) {
  if (n.size() < 9 || n.compare(0, 2, "c.") != 0 || n.compare(n.size() - 4, 4, ".dat") != 0) return std::nullopt;
  std::string mid = n.substr(2, n.size() - 6);
  size_t dot = mid.find('.');
  if (dot == std::string::npos) return std::nullopt;
  auto x = base36(mid.substr(0, dot)), z = base36(mid.substr(dot + 1));
  if (!x || !z) return std::nullopt;
  return std::pair(*x, *z);
}

bool inRectangle(const WorldQuery& r, int cx, int cz) {
  return !r.rectangle || (cx >= r.rectangle->minX && cx <= r.rectangle->maxX && cz >= r.rectangle->minZ &&
                          cz <= r.rectangle->maxZ);
}

// The world border lies 29,999,984 blocks out: no chunk or region of any world lies beyond these.
constexpr int kFarthestChunk = 1875000, kFarthestRegion = kFarthestChunk / 32 + 1;

int floorDiv32(int v) { return v >= 0 ? v / 32 : -((-v + 31) / 32); }

void listRegions(const fs::path& folder, const std::string& extension, const WorldQuery& r, WorldChunks& out) {
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder / "region", ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    auto name = parseRegionName(it->path().filename().string());
    std::error_code fec;
    if (!name || name->extension != extension || !it->is_regular_file(fec)) continue;
    if (std::abs(name->x) > kFarthestRegion || std::abs(name->z) > kFarthestRegion) {
      out.problems.push_back("region " + it->path().filename().string() + ": its coordinates lie beyond the border of any world");
      continue;
    }
    ChunkGroup g{name->x, name->z, it->path(), {}};
    RegionFile file;
    std::string why;
    if (!file.open(sgsys::nameOf(it->path()), why, true)) {
      out.problems.push_back("region " + it->path().filename().string() + ": " + why);
      continue;
    }
    for (int lz = 0; lz < 32; ++lz)
      for (int lx = 0; lx < 32; ++lx) {
        int cx = name->x * 32 + lx, cz = name->z * 32 + lz;
        if (file.hasChunk(lx, lz) && inRectangle(r, cx, cz)) g.chunks.push_back({cx, cz, {}, file.saveStamp(lx, lz)});
      }
    out.groups.push_back(std::move(g));
  }
}

void listAlphaChunks(const fs::path& folder, const WorldQuery& r, WorldChunks& out) {
  std::map<std::pair<int, int>, ChunkGroup> groups;  // by (region z, region x)
  std::error_code ec;
  for (auto a = fs::directory_iterator(folder, ec); !ec && a != fs::directory_iterator(); a.increment(ec)) {
    std::error_code e1;
    if (!a->is_directory(e1) || !base36(a->path().filename().string())) continue;
    for (auto b = fs::directory_iterator(a->path(), e1); !e1 && b != fs::directory_iterator(); b.increment(e1)) {
      std::error_code e2;
      if (!b->is_directory(e2)) continue;
      for (auto f = fs::directory_iterator(b->path(), e2); !e2 && f != fs::directory_iterator(); f.increment(e2)) {
        auto xz = alphaChunkName(f->path().filename().string());
        std::error_code e3;
        if (!xz || !f->is_regular_file(e3) || !inRectangle(r, xz->first, xz->second)) continue;
        if (std::abs(xz->first) > kFarthestChunk || std::abs(xz->second) > kFarthestChunk) {
          out.problems.push_back("chunk file " + f->path().filename().string() +
                                 ": its coordinates lie beyond the border of any world");
          continue;
        }
        int rx = floorDiv32(xz->first), rz = floorDiv32(xz->second);
        ChunkGroup& g = groups[{rz, rx}];
        g.regionX = rx;
        g.regionZ = rz;
        // An Alpha chunk's file is rewritten whole when the game saves it.
        std::error_code e4;
        const auto written = f->last_write_time(e4).time_since_epoch().count();
        const auto size = f->file_size(e4);
        g.chunks.push_back({xz->first, xz->second, f->path(),
                            e4 ? 0 : (static_cast<uint64_t>(written) * 1000003u) ^ static_cast<uint64_t>(size)});
      }
    }
  }
  for (auto& [key, g] : groups) {
    std::sort(g.chunks.begin(), g.chunks.end(),
              [](const ChunkPlace& a, const ChunkPlace& b) { return std::pair(a.z, a.x) < std::pair(b.z, b.x); });
    out.groups.push_back(std::move(g));
  }
}

bool hasRegions(const fs::path& folder, const std::string& extension) {
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder / "region", ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    auto name = parseRegionName(it->path().filename().string());
    if (name && name->extension == extension) return true;
  }
  return false;
}

}  // namespace

std::optional<fs::path> dimensionFolder(const fs::path& world, const WorldQuery& r, std::string& error) {
  if (!isFolder(world)) {
    error = "there is no such folder";
    return std::nullopt;
  }
  if ((!r.nether && !r.dimension) || isBedrockWorld(world)) return world;
  std::string name = r.nether ? "DIM-1" : *r.dimension;
  std::vector<fs::path> candidates = {world / name};
  // The newer layout keeps dimensions under dimensions/<namespace>/<name>.
  if (r.nether) candidates.push_back(world / "dimensions" / "minecraft" / "the_nether");
  candidates.push_back(world / "dimensions" / name);
  std::error_code ec;
  for (auto it = fs::directory_iterator(world / "dimensions", ec); !ec && it != fs::directory_iterator();
       it.increment(ec))
    candidates.push_back(it->path() / name);
  for (const auto& c : candidates)
    if (isFolder(c)) return c;
  error = "it has no dimension folder " + name;
  return std::nullopt;
}

bool listWorldChunks(const fs::path& folder, const WorldQuery& r, WorldChunks& out, std::string& error) {
  if (isBedrockWorld(folder)) return listBedrockChunks(folder, r, out, error);
  out = WorldChunks{};
  out.folder = folder;
  if (r.alpha) out.layout = StorageLayout::AlphaChunks;
  else if (r.beta) out.layout = StorageLayout::BetaRegions;
  else if (hasRegions(folder, "mca")) out.layout = StorageLayout::Anvil;
  else if (hasRegions(folder, "mcr")) out.layout = StorageLayout::BetaRegions;
  else out.layout = StorageLayout::AlphaChunks;

  if (out.layout == StorageLayout::AlphaChunks) listAlphaChunks(folder, r, out);
  else listRegions(folder, out.layout == StorageLayout::Anvil ? "mca" : "mcr", r, out);
  std::sort(out.groups.begin(), out.groups.end(), [](const ChunkGroup& a, const ChunkGroup& b) {
    return std::pair(a.regionZ, a.regionX) < std::pair(b.regionZ, b.regionX);
  });
  if (out.groups.empty() && out.problems.empty()) {
    error = r.alpha ? "it holds no Alpha chunk files"
            : r.beta ? "its region folder holds no Beta region files (.mcr)"
                     : "it holds no region files (region/r.X.Z.mca or .mcr) and no Alpha chunk files";
    return false;
  }
  return true;
}

bool readChunkBytes(const ChunkGroup& group, const ChunkPlace& place, const RegionFile* region,
                    std::vector<uint8_t>& out, std::string& error, const ChunkGlance* glance) {
  if (group.bedrock) {
    error = "a Bedrock world's chunk is read from its store";
    return false;
  }
  if (group.regionFile.empty()) {
    std::error_code ec;
    auto size = fs::file_size(place.alphaFile, ec);
    if (ec || size > kMaxChunkBytes) {
      error = ec ? "cannot read its file" : "its file is larger than any chunk";
      return false;
    }
    std::vector<uint8_t> packed(size);
    std::ifstream in(place.alphaFile, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(packed.data()), static_cast<std::streamsize>(size))) {
      error = "cannot read its file";
      return false;
    }
    return inflateData(packed.data(), packed.size(), out, kMaxChunkBytes, error);
  }
  if (!region) {
    error = "its region file cannot be read";
    return false;
  }
  return region->chunkData(place.x - group.regionX * 32, place.z - group.regionZ * 32, out, error, glance);
}

}  // namespace sgrender
