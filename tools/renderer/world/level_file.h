// What the renderer takes from a world's level file (level.dat): its sea level.
#pragma once
#include <filesystem>
#include <optional>
#include <utility>

#include "renderer/world/world_layout.h"

namespace sgrender {

// The level of the sea's surface plus one, as the game counts sea level: a customised world's
// own (its generator options, or a SeaLevel field), else the game's for the world's era: 64 in
// Alpha chunk files and Beta regions, 63 since region files with sections.
int seaLevelOf(const std::filesystem::path& world, StorageLayout layout);

// The block column where players first spawn (SpawnX and SpawnZ of the world's level file,
// Java or Bedrock), when the file tells it.
std::optional<std::pair<int, int>> spawnOf(const std::filesystem::path& world);

}  // namespace sgrender
