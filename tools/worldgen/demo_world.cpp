#include "worldgen/demo_world.h"

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

// The same chunks as a Bedrock world's records: the overworld in one table and the Nether in a
// second, as the game's store holds them after a compaction.
bool writeBedrockDemo(const DemoWorld& w, std::string& error) {
  DbLayout db;
  BedrockOptions options;
  options.subChunkVersion = w.subChunkVersion;
  auto add = [&](int chunksX, int chunksZ, bool nether) {
    std::vector<DbWrite> table;
    options.dimension = nether ? 1 : 0;
    const int x0 = -chunksX / 2, z0 = -chunksZ / 2;
    for (int cz = z0; cz < z0 + chunksZ; ++cz)
      for (int cx = x0; cx < x0 + chunksX; ++cx)
        for (auto& r : bedrockChunkRecords(demoChunk(cx, cz, w.seed, Layout::BlockStates, nether), options))
          table.push_back(std::move(r));
    db.tables.push_back(std::move(table));
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
