// The interface settings file, read as the program starts.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("settings");
  sgfuzz::startWith("settings.dat", data, size);
  return 0;
}
