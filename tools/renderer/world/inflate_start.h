// The first bytes of zlib or gzip data, and no more. zlib takes most of a whole chunk's time
// to set up its tables before it gives the first byte; this reads the block's codes straight
// from their lengths, which costs a fifth of that when only a few dozen bytes are wanted.
#pragma once
#include <cstddef>
#include <cstdint>

namespace sgrender {

// Inflates at most `want` bytes from the start of zlib or gzip data into `out`: how many it
// gave (fewer when the data end first), or 0 when the data are not zlib or gzip or are
// damaged before then. Nothing after the bytes given is looked at or checked.
size_t inflateStart(const uint8_t* data, size_t size, uint8_t* out, size_t want);

}  // namespace sgrender
