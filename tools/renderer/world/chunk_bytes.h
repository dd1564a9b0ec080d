// A chunk's stored bytes to its uncompressed tags: gzip (1), zlib (2), none (3) and LZ4 (4,
// in the block stream the game writes). Every result is held to a limit, so a damaged chunk
// never makes the renderer ask for more memory than a real chunk needs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sgrender {

// The most any chunk's tags decompress to.
constexpr size_t kMaxChunkBytes = 64u << 20;

bool decompressChunk(int method, const uint8_t* data, size_t size, std::vector<uint8_t>& out,
                     std::string& error);

// Inflates zlib or gzip data, refusing results larger than limit bytes.
bool inflateData(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit,
                 std::string& error);

// Inflates raw deflate data (no header, no checksum), likewise.
bool inflateRaw(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit, std::string& error);

// Inflates zlib (raw: raw deflate) data into room of the calling thread's own, without copying
// it out: `out` stays valid until the thread's next call.
bool inflateInPlace(bool raw, const uint8_t* data, size_t size, size_t limit, std::string_view& out,
                    std::string& error);

// The game's LZ4 block stream ("LZ4Block" blocks, raw or compressed, ended by an empty block).
bool unpackLz4Blocks(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t limit,
                     std::string& error);

}  // namespace sgrender
