// An offset file, as the chunk range of a render reads it.
#include <string>

#include "fuzz_support.h"
#include "jobs/chunk_range.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("offset-file");
  sgfuzz::writeInput("mapOffset.txt", data, size);
  try {
    sg::jobs::readOffsetFile("map");
  } catch (const sg::jobs::OffsetFileUnreadable&) {
  }
  return 0;
}
