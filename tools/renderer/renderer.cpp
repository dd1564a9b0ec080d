#include "renderer/renderer.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "imaging/image_operations.h"
#include "imaging/png_file.h"
#include "renderer/chunk_blocks.h"
#include "renderer/region_file.h"
#include "renderer/world_map.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

std::string withSlashes(std::string p) {
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

std::string localPath(const std::string& p) {
  std::error_code ec;
  if (fs::exists(p, ec)) return p;
  return withSlashes(p);
}

struct RegionEntry {
  RegionName name;
  fs::path path;
  std::vector<std::pair<int, int>> chunks;  // local coordinates of the chunks to draw
};

class Progress {
 public:
  explicit Progress(const std::optional<std::string>& file) : file_(file) {}
  void set(int percent) {
    if (!file_ || percent == last_) return;
    last_ = percent;
    writeTextAtomically(*file_, std::to_string(percent) + "\r\n");
  }

 private:
  std::optional<std::string> file_;
  int last_ = -1;
};

}  // namespace

bool writeTextAtomically(const std::string& file, const std::string& content) {
  std::string temp = file + ".part" + std::to_string(::getpid());
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  ok = std::fclose(f) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

std::string worldFolder(const RenderRequest& r) {
  if (r.custom) return localPath(*r.custom);
  std::string saves;
  if (r.environment) {
    saves = *r.environment;
  } else if (const char* appdata = std::getenv("APPDATA"); appdata && *appdata) {
    saves = std::string(appdata) + "\\.minecraft\\saves\\";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    saves = std::string(home) + "/.minecraft/saves/";
  }
  if (!saves.empty() && saves.back() != '/' && saves.back() != '\\') saves += '/';
  return localPath(saves + *r.folder);
}

int runRenderer(const std::vector<std::string>& words, std::ostream& errors) {
  std::string error;
  auto parsed = parseRenderArguments(words, error);
  if (!parsed) {
    errors << "renderer: " << error << "\n";
    return 1;
  }
  const RenderRequest& req = *parsed;
  for (const auto& w : req.warnings) errors << "renderer: note: " << w << "\n";
  if (!req.notRendered.empty()) {
    errors << "renderer: not rendered yet, drawn as the normal map from above:";
    for (const auto& w : req.notRendered) errors << " " << w;
    errors << "\n";
  }

  fs::path world = worldFolder(req);
  std::error_code ec;
  if (!fs::is_directory(world, ec)) {
    errors << "renderer: world folder '" << world.string() << "' not found\n";
    return 1;
  }
  fs::path dimension = world;
  if (req.nether) dimension /= "DIM-1";
  else if (req.dimension) dimension /= *req.dimension;
  fs::path regionFolder = dimension / "region";

  std::vector<RegionEntry> regions;
  bool anyAnvil = false;
  for (auto it = fs::directory_iterator(regionFolder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    auto name = parseRegionName(it->path().filename().string());
    std::error_code fec;
    if (!name || !it->is_regular_file(fec)) continue;
    anyAnvil = anyAnvil || name->extension == "mca";
    regions.push_back({*name, it->path(), {}});
  }
  if (ec && regions.empty()) {
    errors << "renderer: cannot read the region folder '" << regionFolder.string() << "'\n";
    return 1;
  }
  // A world converted to sections keeps its old Beta files beside the new ones.
  std::string wanted = req.beta || !anyAnvil ? "mcr" : "mca";
  std::erase_if(regions, [&](const RegionEntry& e) { return e.name.extension != wanted; });
  std::sort(regions.begin(), regions.end(), [](const RegionEntry& a, const RegionEntry& b) {
    return std::pair(a.name.z, a.name.x) < std::pair(b.name.z, b.name.x);
  });
  if (regions.empty()) {
    errors << "renderer: no region files (." << wanted << ") in '" << regionFolder.string() << "'\n";
    return 1;
  }

  // First pass: which chunks exist, and the extent of the map.
  int minX = INT_MAX, maxX = INT_MIN, minZ = INT_MAX, maxZ = INT_MIN;
  size_t total = 0;
  for (auto& e : regions) {
    RegionFile file;
    if (!file.open(e.path.string(), error)) {
      errors << "renderer: region " << e.path.filename().string() << " skipped: " << error << "\n";
      continue;
    }
    for (int lz = 0; lz < 32; ++lz)
      for (int lx = 0; lx < 32; ++lx) {
        if (!file.hasChunk(lx, lz)) continue;
        int cx = e.name.x * 32 + lx, cz = e.name.z * 32 + lz;
        if (req.rectangle && (cx < req.rectangle->minX || cx > req.rectangle->maxX ||
                              cz < req.rectangle->minZ || cz > req.rectangle->maxZ))
          continue;
        e.chunks.emplace_back(lx, lz);
        minX = std::min(minX, cx);
        maxX = std::max(maxX, cx);
        minZ = std::min(minZ, cz);
        maxZ = std::max(maxZ, cz);
      }
    total += e.chunks.size();
  }
  if (req.rectangle && req.rectangle->keepWhitespace) {
    minX = req.rectangle->minX;
    maxX = req.rectangle->maxX;
    minZ = req.rectangle->minZ;
    maxZ = req.rectangle->maxZ;
  }
  if (minX > maxX) {
    errors << "renderer: no chunks to draw in '" << regionFolder.string() << "'\n";
    return 1;
  }
  long long width = (static_cast<long long>(maxX) - minX + 1) * 16;
  long long height = (static_cast<long long>(maxZ) - minZ + 1) * 16;
  if (width * height > sgimage::kMaxPixels) {
    errors << "renderer: the map would be " << width << " x " << height
           << " pixels, too large; choose a chunk range\n";
    return 1;
  }
  if (req.verbosity >= 1)
    errors << "renderer: drawing " << total << " chunks of " << regions.size()
           << " region files, chunks " << minX << ".." << maxX << " x " << minZ << ".." << maxZ
           << "\n";

  Progress progress(req.progressFile);
  progress.set(0);
  sgimage::RgbaImage image(static_cast<int>(width), static_cast<int>(height));
  ColumnRules rules(req);
  size_t done = 0, skipped = 0;
  std::vector<uint8_t> data;
  for (const auto& e : regions) {
    if (e.chunks.empty()) continue;
    RegionFile file;
    if (!file.open(e.path.string(), error)) continue;
    if (req.verbosity >= 2) errors << "renderer: region " << e.path.filename().string() << "\n";
    for (auto [lx, lz] : e.chunks) {
      int cx = e.name.x * 32 + lx, cz = e.name.z * 32 + lz;
      NbtTag root;
      ChunkBlocks chunk;
      if (!file.chunkData(lx, lz, data, error) || !parseNbt(data.data(), data.size(), root, error) ||
          !decodeChunk(root, chunk, error)) {
        // The first few are named; a world of another format would otherwise flood the log.
        if (++skipped <= 10 || req.verbosity >= 3)
          errors << "renderer: chunk " << cx << "," << cz << " in " << e.path.filename().string()
                 << " skipped: " << error << "\n";
      } else {
        if (req.verbosity >= 3) errors << "renderer: chunk " << cx << "," << cz << "\n";
        chunk.chunkX = cx;  // the place in the region decides, whatever the chunk says
        chunk.chunkZ = cz;
        drawChunk(chunk, rules, image, minX * 16, minZ * 16);
      }
      ++done;
      progress.set(static_cast<int>(done * 99 / std::max<size_t>(total, 1)));
    }
  }

  if (done > 0 && skipped == done) {
    errors << "renderer: none of the " << done << " chunks could be drawn\n";
    return 1;
  }
  switch (req.orientation) {
    case Orientation::North: break;
    case Orientation::East: image = sgimage::rotateClockwise(image, 270); break;
    case Orientation::South: image = sgimage::rotateClockwise(image, 180); break;
    case Orientation::West: image = sgimage::rotateClockwise(image, 90); break;
  }
  std::string out = req.outFile ? *req.outFile : (req.mapName.empty() ? "map" : req.mapName) + ".png";
  if (!sgimage::writePngAtomically(out, image, error)) {
    errors << "renderer: cannot write the image " << out << ": " << error << "\n";
    return 1;
  }
  if (req.makeOffsetFile) {
    std::string name = req.mapName + "Offset.txt";
    std::string content = "MinX: " + std::to_string(minX) + "\r\nMaxX: " + std::to_string(maxX) +
                          "\r\nMinZ: " + std::to_string(minZ) + "\r\nMaxZ: " +
                          std::to_string(maxZ) + "\r\n";
    if (!writeTextAtomically(name, content)) {
      errors << "renderer: cannot write the offset file " << name << "\n";
      return 1;
    }
  }
  if (skipped) errors << "renderer: " << skipped << " damaged chunks were skipped\n";
  progress.set(100);
  return 0;
}

}  // namespace sgrender
