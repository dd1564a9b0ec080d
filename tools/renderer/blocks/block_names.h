// Block names (the game stores them from 1.13 on) and the numeric ids they descend from, so that
// filters by id and colours mean the same on every storage format. Ids 0 to 255 are the old
// numbers; newer blocks without an ancestor have stable numbers from 256 up.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sgrender {

struct BlockName {
  const char* name;     // without the "minecraft:" prefix
  uint16_t id;
  uint8_t data;         // the old data value, which picks colours within a family
  uint8_t transparent;  // lets light through
  uint8_t light;        // the light it gives, 0 to 15
};

extern const BlockName kBlockNames[];
extern const size_t kBlockNameCount;

// Ids above the old numbers go up to this (exclusive); filters and colours size their tables by it.
constexpr uint16_t kBlockIdLimit = 4096;

// A block whose name the table does not know: drawn in a fallback colour and counted.
constexpr uint16_t kUnknownBlock = kBlockIdLimit - 1;

// The entry of a name, with or without the "minecraft:" prefix; nullptr for an unknown name.
const BlockName* findBlockName(std::string_view name);
// The plainest name that has this id (and data value, when one has it), or nullptr.
const BlockName* blockNameOf(uint16_t id, uint8_t data = 0);

// What the game called each id and data value while it saved blocks as numbers (up to 1.12),
// with the states that the data value stood for: "redstone_wall_torch[facing=east,lit=true]".
struct LegacyName {
  uint16_t id;
  uint8_t data;
  const char* name;
};
extern const LegacyName kLegacyNames[];
extern const size_t kLegacyNameCount;

// The name a block of this id and data value is known by, for a list of a world's blocks: the
// table's own name for the pair, else the name the numeric data gave it, else another name of
// its id; empty when none is known.
std::string_view blockNameFor(uint16_t id, uint8_t data);

}  // namespace sgrender
