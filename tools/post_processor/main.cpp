// strandvale_g_post_processor.exe: image steps between the renderer and the final image.
#include <iostream>
#include <string>
#include <vector>

#include "post_processor/post_processor.h"
#include "system/tool_system.h"

int main(int argc, char** argv) {
  // A merge reads every layer at once, a row at a time: a request of a thousand stacked renders
  // needs as many open files, more than the usual soft limit allows.
  sgsys::raiseOpenFileLimit();
  sgsys::returnFreedMemory();
  std::vector<std::string> words(argv + 1, argv + argc);
  return sgpost::runPostProcessor(words, std::cerr);
}
