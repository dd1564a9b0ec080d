// The census of the blocks a render drew, for "<map name>Blocks.txt": for each block its id,
// name and count, and where in the world up to 100 of them lie, so that a player can find the
// diamonds.
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
  std::map<std::pair<uint16_t, uint8_t>, Entry> entries_;
};

}  // namespace sgrender
