// The locale file with its translations and character set, read as the program starts.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("locale");
  sgfuzz::startWith("locale.txt", data, size);
  return 0;
}
