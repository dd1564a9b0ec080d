// An Alpha world: chunk files named in base 36 in folders of base-36 names. The input's first
// byte picks the file's name among a few, the rest is its gzip-compressed tags; the world is
// listed, read and decoded as the renderer does.
#include <filesystem>
#include <string>

#include "fuzz_support.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/request_parts.h"
#include "renderer/world/world_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  sgfuzz::enterWorkingFolder("alpha_files");
  static const char* const names[] = {"c.0.0.dat", "c.-1.1a.dat", "c.zzzzzzzz.-zzzzzzz.dat", "c.1v9.-8.dat"};
  std::error_code ec;
  std::filesystem::remove_all("world", ec);
  std::filesystem::create_directories("world/0/0", ec);
  const std::string name = std::string("world/0/0/") + names[data[0] % 4];
  sgfuzz::writeInput(name.c_str(), data + 1, size - 1);
  sgrender::RenderRequest request;
  request.alpha = true;
  sgrender::WorldChunks chunks;
  std::string error;
  if (!sgrender::listWorldChunks("world", sgrender::worldQuery(request), chunks, error)) return 0;
  std::vector<uint8_t> bytes;
  for (const auto& g : chunks.groups)
    for (const auto& place : g.chunks) {
      if (!sgrender::readChunkBytes(g, place, nullptr, bytes, error)) continue;
      sgrender::NbtTag root;
      sgrender::Chunk chunk;
      if (sgrender::parseNbt(bytes.data(), bytes.size(), root, error, &sgrender::unreadChunkFields()))
        sgrender::decodeChunk(root, chunk, error);
    }
  return 0;
}
