// PNG input to the post processor: read row by row, and merged with itself, turned and
// mirrored into an output.
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "imaging/png_row_reader.h"
#include "post_processor/post_processor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("png");
  sgfuzz::writeInput("in.png", data, size);
  sgimage::PngRowReader reader;
  std::string error;
  if (reader.open("in.png", error))
    for (int y = 0; y < reader.height() && reader.next(error); ++y) {
    }
  std::ostringstream errors;
  sgpost::runPostProcessor({"merge", "2", "in.png", "in.png", "rotate", "90", "mirror", "vertically", "output", "out.png"},
                           errors);
  return 0;
}
