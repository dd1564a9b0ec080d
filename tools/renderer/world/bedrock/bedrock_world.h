// A Bedrock world as the renderer reads it: a folder with db/, the store of its chunks. Its
// chunks are listed from the store's keys (a chunk's save stamp from its records' sequence
// numbers, which every write of the game raises), grouped by region like a Java world's, and
// read record by record.
#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "renderer/formats/decode_bedrock.h"
#include "renderer/world/bedrock/level_db.h"
#include "renderer/world/world_layout.h"

namespace sgrender {

struct BedrockStore {
  LevelDb db;
  BedrockDimension dimension = BedrockDimension::Overworld;
};

// Whether the folder is a Bedrock world (it holds db/CURRENT).
bool isBedrockWorld(const std::filesystem::path& world);

// The folder of the Bedrock world listed by `name` (its levelname.txt, or that and its folder's
// name in brackets) in the saves folder or the game's own folders of Bedrock worlds (each
// user's under APPDATA, the older Store package's under LOCALAPPDATA); nullopt when none is.
std::optional<std::filesystem::path> findListedBedrockWorld(const std::filesystem::path& saves, const std::string& name);

// The dimension a query asks for: the Nether, DIM-1 or DIM1 (the End); false with a reason for
// a dimension Bedrock worlds do not have.
bool bedrockDimension(const WorldQuery& query, BedrockDimension& out, std::string& error);

// Lists the world's chunks of the query's dimension (within its rectangle).
bool listBedrockChunks(const std::filesystem::path& world, const WorldQuery& query, WorldChunks& out,
                       std::string& error);

// The key prefix of a chunk's records.
std::string bedrockChunkPrefix(int x, int z, BedrockDimension dimension);

// Reads and decodes one chunk.
ChunkVerdict readBedrockChunk(const BedrockStore& store, const ChunkPlace& place, Chunk& chunk, std::string& error,
                              const HiddenBelow* hidden = nullptr);

}  // namespace sgrender
