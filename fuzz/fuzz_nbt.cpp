// The chunk tag reader, with and without the fields it passes over.
#include <string>

#include "renderer/formats/decode_chunk.h"
#include "renderer/formats/nbt.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgrender::NbtTag root;
  std::string error;
  sgrender::parseNbt(data, size, root, error);
  sgrender::NbtTag skipped;
  sgrender::parseNbt(data, size, skipped, error, &sgrender::unreadChunkFields());
  return 0;
}
