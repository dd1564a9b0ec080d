#include "worldgen/demo_world.h"

#include <algorithm>
#include <cmath>

#include "worldgen/bedrock_chunks.h"
#include "worldgen/demo_terrain.h"

namespace sgworld {

void DemoWorld::setRegions(int n) {
  n = std::max(1, n);
  int across = static_cast<int>(std::ceil(std::sqrt(double(n))));
  chunksX = across * 32;
  chunksZ = ((n + across - 1) / across) * 32;
}

namespace {

bool writeDimension(const std::filesystem::path& folder, const DemoWorld& w, int chunksX, int chunksZ, bool nether) {
  WorldFiles files(folder, w.layout, w.compression, w.external);
  const int x0 = -chunksX / 2, z0 = -chunksZ / 2;
  for (int cz = z0; cz < z0 + chunksZ; ++cz)
    for (int cx = x0; cx < x0 + chunksX; ++cx)
      files.add(cx, cz, encodeChunk(demoChunk(cx, cz, w.seed, w.layout, nether), w.layout));
  return files.finish();
}

// The same chunks as a Bedrock world's records, as the game's store holds them after a
// compaction: each dimension's records sorted and cut into tables of a few megabytes, each
// table a run of keys that no other table of the dimension holds.
bool writeBedrockDemo(const DemoWorld& w, std::string& error) {
  constexpr size_t kTableValues = size_t(4) << 20;
  DbLayout db;
  BedrockOptions options;
  options.subChunkVersion = w.subChunkVersion;
  auto add = [&](int chunksX, int chunksZ, bool nether) {
    std::vector<DbWrite> records;
    options.dimension = nether ? 1 : 0;
    const int x0 = -chunksX / 2, z0 = -chunksZ / 2;
    for (int cz = z0; cz < z0 + chunksZ; ++cz)
      for (int cx = x0; cx < x0 + chunksX; ++cx)
        for (auto& r : bedrockChunkRecords(demoChunk(cx, cz, w.seed, Layout::BlockStates, nether), options))
          records.push_back(std::move(r));
    std::sort(records.begin(), records.end(), [](const DbWrite& a, const DbWrite& b) { return a.key < b.key; });
    std::vector<DbWrite> table;
    size_t values = 0;
    for (auto& r : records) {
      values += r.value.size();
      table.push_back(std::move(r));
      if (values >= kTableValues) {
        db.tables.push_back(std::move(table));
        table.clear();
        values = 0;
      }
    }
    if (!table.empty()) db.tables.push_back(std::move(table));
  };
  add(w.chunksX, w.chunksZ, false);
  if (w.nether) add(std::min(w.chunksX, 8), std::min(w.chunksZ, 8), true);
  if (!writeBedrockLevelFiles(w.folder, w.name)) {
    error = "cannot write the world folder " + w.folder.string();
    return false;
  }
  return writeLevelDb(w.folder / "db", db, error);
}

}  // namespace

bool writeDemoWorld(const DemoWorld& w, std::string& error) {
  std::error_code ec;
  if (w.bedrock) {
    std::filesystem::create_directories(w.folder, ec);
    return writeBedrockDemo(w, error);
  }
  std::filesystem::create_directories(w.folder, ec);
  if (ec || !writeLevelFile(w.folder, w.name, w.layout)) {
    error = "cannot write the world folder " + w.folder.string();
    return false;
  }
  if (!writeDimension(w.folder, w, w.chunksX, w.chunksZ, false)) {
    error = "cannot write the chunks of " + w.folder.string();
    return false;
  }
  if (w.nether && !writeDimension(w.folder / "DIM-1", w, std::min(w.chunksX, 8), std::min(w.chunksZ, 8), true)) {
    error = "cannot write the Nether of " + w.folder.string();
    return false;
  }
  return true;
}

}  // namespace sgworld
