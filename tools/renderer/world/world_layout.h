// Where a world keeps its chunks: the dimension's folder, then either region files (.mca for
// sections, .mcr for Beta) or the Alpha layout of one file a chunk in base-36 folders. The
// chunks are gathered in groups of one region (32 x 32 chunks) each, in rows from north to south.
#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "renderer/terms/map_terms.h"

namespace sgrender {

enum class StorageLayout { Anvil, BetaRegions, AlphaChunks, Bedrock };
const char* layoutName(StorageLayout layout);

// What of a world a render reads: its dimension, the range of chunks and a forced layout.
struct WorldQuery {
  bool nether = false;
  std::optional<std::string> dimension;  // a dimension folder such as DIM3
  std::optional<ChunkRectangle> rectangle;
  bool alpha = false, beta = false;
  int threads = 1;  // that the listing may read on (0: one per core)
};

struct ChunkPlace {
  int x = 0, z = 0;                // chunk coordinates
  std::filesystem::path alphaFile;  // the chunk's own file in the Alpha layout
  uint64_t saveStamp = 0;           // changes whenever the game saves the chunk again
};

struct BedrockStore;

struct ChunkGroup {
  int regionX = 0, regionZ = 0;
  std::filesystem::path regionFile;  // empty in the Alpha layout and in a Bedrock world
  std::vector<ChunkPlace> chunks;
  std::shared_ptr<const BedrockStore> bedrock = nullptr;  // a Bedrock world's store
};

struct WorldChunks {
  StorageLayout layout = StorageLayout::Anvil;
  std::filesystem::path folder;  // the dimension folder
  std::vector<ChunkGroup> groups;
  std::vector<std::string> problems;  // region files that could not be read, and why
};

// The dimension folder of the query: the world itself, DIM-1 for the Nether, the named folder
// for another dimension (also in the newer dimensions/<namespace>/<name> layout). A Bedrock
// world keeps every dimension in its store: its folder is the world's.
std::optional<std::filesystem::path> dimensionFolder(const std::filesystem::path& world,
                                                      const WorldQuery& query, std::string& error);

// Lists every stored chunk of the dimension (within the query's rectangle). alpha and beta on
// the command line force those layouts; otherwise region files with sections win, then Beta
// regions, then Alpha chunk files; a Bedrock world's chunks come from its store. False with a
// reason when the folder holds no chunk files.
bool listWorldChunks(const std::filesystem::path& folder, const WorldQuery& query, WorldChunks& out,
                     std::string& error);

// Reads one chunk's uncompressed tags, from its region file (opened once per group by the caller)
// or its own file; a glance is passed on to the region file (chunk files are older than any
// status the glances look for).
class RegionFile;
struct ChunkGlance;
bool readChunkBytes(const ChunkGroup& group, const ChunkPlace& place, const RegionFile* region,
                    std::vector<uint8_t>& out, std::string& error, const ChunkGlance* glance = nullptr);

}  // namespace sgrender
