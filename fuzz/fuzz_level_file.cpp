// A world's level file (level.dat, gzip-compressed tags), as the renderer reads its sea level.
#include <filesystem>

#include "fuzz_support.h"
#include "renderer/world/level_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("level_file");
  std::error_code ec;
  std::filesystem::create_directories("world", ec);
  sgfuzz::writeInput("world/level.dat", data, size);
  sgrender::seaLevelOf("world", sgrender::StorageLayout::Anvil);
  return 0;
}
