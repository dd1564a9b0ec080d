// What a chunk's save stamp says, made sure: a checksum of the bytes the world stores for each
// chunk is mixed into its stamp, so that a chunk written again with its time and size kept (by
// an editor, or a world copied over another) still tells that it changed. The stored bytes are
// checked, not inflated, which costs a small part of drawing them.
#pragma once
#include "renderer/world/world_layout.h"

namespace sgrender {

// Mixes the checksum of each of the group's chunks into its stamp. A chunk whose bytes cannot be
// read is left without a stamp (0), so that nothing drawn of it is taken from a cache.
void fingerprintChunks(ChunkGroup& group);

}  // namespace sgrender
