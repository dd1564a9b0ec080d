// strandvale_g_post_processor.exe: image steps between the renderer and the final image.
#include <iostream>
#include <string>
#include <vector>

#include "post_processor/post_processor.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  return sgpost::runPostProcessor(words, std::cerr);
}
