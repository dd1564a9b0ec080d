// The chunk tag reader, with and without the fields it passes over, and its measure of the
// memory the tags would take, which must agree with the reader on what is readable.
#include <string>

#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/nbt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgrender::NbtTag root;
  std::string error;
  sgrender::parseNbt(data, size, root, error);
  sgrender::NbtTag skipped;
  const bool read = sgrender::parseNbt(data, size, skipped, error, &sgrender::unreadChunkFields());
  size_t bytes = 0;
  const bool measured = sgrender::measureNbt(data, size, bytes, error, &sgrender::unreadChunkFields());
  if (read && !measured && error != "its tags would take more memory than any chunk's") __builtin_trap();
  return 0;
}
