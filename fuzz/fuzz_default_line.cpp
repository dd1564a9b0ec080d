// The default line and default map format files, read as the program starts.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("default_line");
  sgfuzz::startWith("defaultSettings.txt", data, size);
  return 0;
}
