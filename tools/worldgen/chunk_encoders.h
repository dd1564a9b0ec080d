// Encoding one chunk, given as blocks by name, in the tags of each storage era the renderer
// reads, so that tests and benchmarks can write worlds of every layout from one description.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sgworld {

enum class Layout {
  Alpha,          // chunk files in base-36 folders, 128 levels in one array
  Beta,           // .mcr region files, the same chunk tags
  Numeric,        // .mca with sections of numeric ids (1.2 to 1.12)
  PaletteAcross,  // .mca with Palette and BlockStates running across longs (1.13 to 1.15)
  PaletteWithin,  // the same packed within longs (1.16 and 1.17)
  BlockStates,    // .mca, no Level wrapper, block_states, levels from -64 (1.18 on)
};
// The layout's name on the writer's command line, and back; false for an unknown name.
const char* layoutWord(Layout layout);
bool layoutFromWord(const std::string& word, Layout& layout);
// The levels a layout holds.
int lowestLevel(Layout layout);
int levelCount(Layout layout);

struct ChunkColumn {
  int x = 0, z = 0;                      // chunk coordinates
  int minY = 0, height = 0;              // the levels described
  std::vector<std::string> names;        // the blocks' names (without "minecraft:"); 0 is air
  std::vector<uint16_t> blocks;          // index into names, ((y - minY) * 16 + z) * 16 + x
  std::vector<uint8_t> light;            // block light, same index (may be empty)
  std::string status = "full";           // the generation status the game would store
  std::vector<std::string> biomeNames;   // the biomes' names (without "minecraft:")
  std::vector<uint16_t> biomes;          // index into biomeNames, z * 16 + x (empty: none stored)
  bool darkSectionsUnlit = false;        // from 1.14 on, sections without light store none, as the game does

  ChunkColumn(int cx, int cz, int lowest, int levels);
  // The index of a name, added when new.
  uint16_t name(const std::string& n);
  void set(int x, int y, int z, uint16_t block) {
    if (y >= minY && y < minY + height) blocks[((size_t(y - minY) * 16 + z) * 16) + x] = block;
  }
  // Gives column x, z the biome of that name (one biome a column, in every era's form).
  void setBiome(int x, int z, const std::string& biome);
  uint16_t at(int x, int y, int z) const {
    return y >= minY && y < minY + height ? blocks[((size_t(y - minY) * 16 + z) * 16) + x] : 0;
  }
};

// The chunk's uncompressed tags in the layout.
std::vector<uint8_t> encodeChunk(const ChunkColumn& chunk, Layout layout);

}  // namespace sgworld
