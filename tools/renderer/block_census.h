// The census of the blocks a render drew, for "<map name>Blocks.txt": for each block its id,
// name and count, and where in the world up to 100 of them lie, so that a player can find the
// diamonds. Blocks the renderer does not know are listed together, with their names.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>

#include "renderer/formats/chunk.h"
#include "renderer/styles/block_look.h"

namespace sgrender {

class BlockCensus {
 public:
  void count(const Chunk& chunk, const BlockLook& look);
  std::string text() const;

 private:
  struct Entry {
    long long count = 0;
    std::vector<std::array<int, 3>> examples;
  };
  // "unknown", with the names of the blocks it does not know.
  std::string unknownText() const;

  std::map<std::pair<uint16_t, uint8_t>, Entry> entries_;
  std::vector<std::string> unknown_;
};

}  // namespace sgrender
