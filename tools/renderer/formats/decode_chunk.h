// Decoding one chunk's tags, of any storage era, into the chunk model. The era is found per
// chunk, so a world that the game upgraded piece by piece is read as it lies.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "renderer/formats/chunk.h"
#include "renderer/formats/nbt.h"

namespace sgrender {

enum class ChunkVerdict {
  Decoded,     // the chunk is in the model
  Unfinished,  // the game has not finished generating it: left out, as other mappers do
  Damaged,     // not a chunk of any known era, or its data contradict themselves; error says why
};

// Says, as a chunk's sections are decoded from the top down, when the sections below the
// levels decoded so far cannot show in the picture, so that their blocks are left as air. A
// painter that sees only the top of each column gives one; without it every section is read.
class HiddenBelow {
 public:
  virtual ~HiddenBelow() = default;
  // Whether everything below `bottom` is hidden, once levels [bottom, top] are decoded;
  // `covered` holds a flag a column (index z * 16 + x), kept from call to call for one chunk.
  virtual bool hides(const Chunk& chunk, int bottom, int top, std::array<uint8_t, 256>& covered) const = 0;
};

ChunkVerdict decodeChunk(const NbtTag& root, Chunk& chunk, std::string& error, const HiddenBelow* hidden = nullptr);

// What the first bytes of a chunk's tags say of its generation status, read as tags: since 1.18
// the game writes Status among the first fields, and in 1.13 to 1.16 among the first of Level.
// Unknown when the bytes end, or a field too large to step over comes, before it.
enum class StatusAtStart { Unknown, Finished, Unfinished };
constexpr size_t kStatusStartBytes = 128;  // the bytes looked at
StatusAtStart statusAtStart(const uint8_t* tags, size_t size);

// Whether a chunk's uncompressed tags (whole, or the first bytes of them) say that the game has
// not finished generating it: by the status among its first fields where it shows there, else by
// one Status tag whose value is not a finished one. Such chunks (most of a freshly explored
// world's edge) are left out without reading their sections; anything less plain is read whole.
bool unfinishedChunk(const uint8_t* tags, size_t size);
// Whether the chunk's tags store a generation status at all (the game stores one since 1.13).
bool storesStatus(const uint8_t* tags, size_t size);

// The fields of a chunk's tags that no decoder reads (entities, ticks, sky light, ...): passed
// over when the tags are read, which saves most of the reading. Without `light`, block light
// is passed over too, for the renders that draw everything in full light.
const NbtSkip& unreadChunkFields(bool light = true);

// The eras, one decoder each (the dispatcher above chooses).
// Alpha chunk files and Beta regions: one array of 128 levels.
bool decodeOneArray(const NbtTag& level, Chunk& chunk, std::string& error);
// 1.2 to 1.12: sections of 16 levels with numeric ids (Blocks, Add, Data).
bool decodeNumericSections(const NbtTag& sections, Chunk& chunk, std::string& error,
                           const HiddenBelow* hidden = nullptr);
// 1.13 to 1.17: sections with Palette and BlockStates; before 1.16 values run across longs.
bool decodePaletteSections(const NbtTag& sections, bool acrossLongs, Chunk& chunk, std::string& error,
                           const HiddenBelow* hidden = nullptr);
// 1.18 on: sections with block_states { palette, data }, levels below 0.
bool decodeBlockStateSections(const NbtTag& sections, Chunk& chunk, std::string& error,
                              const HiddenBelow* hidden = nullptr);

// The chunk's biomes, after its blocks, in each era that stores them: a byte a column (1.2 to
// 1.12), an int a column (1.13, 1.14), an int a cell of 4 x 4 x 4 (1.15 to 1.17), or each
// section's biome palette (1.18 on). Biomes that do not fit leave the chunk without biomes.
void decodeLevelBiomes(const NbtTag& level, Chunk& chunk);
void decodeSectionBiomes(const NbtTag& sections, Chunk& chunk);

}  // namespace sgrender
