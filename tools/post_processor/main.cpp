// strandvale_g_post_processor.exe: image steps between the renderer and the final image.
#include <iostream>
#include <string>
#include <vector>

#include "post_processor/post_processor.h"
#include "system/tool_system.h"

namespace {

const char* const kUsage =
    "usage: strandvale_g_post_processor.exe input IMAGE | merge N IMAGE... [STEP...] [delete] output IMAGE\n"
    "Merges images (the last at the bottom, each over what lies below it) or takes one, applies the\n"
    "steps in the order given and writes the output, a row at a time:\n"
    "  rotate 90|180|270                   turn clockwise\n"
    "  color COLOUR                        fill what is clear: white, red, green, blue, yellow, black\n"
    "  mirror horizontally|vertically      exchange the sides, or the top and bottom\n"
    "  delete                              remove the inputs once the output is written\n"
    "A failure is one line on standard error, and in the job's output log when the images are a job's.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  // A merge reads every layer at once, a row at a time: a request of a thousand stacked renders
  // needs as many open files, more than the usual soft limit allows.
  sgsys::raiseOpenFileLimit();
  sgsys::returnFreedMemory();
  std::vector<std::string> words(argv + 1, argv + argc);
  return sgpost::runPostProcessor(words, std::cerr);
}
