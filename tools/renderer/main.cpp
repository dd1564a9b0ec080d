// strandvale_g_renderer.exe: draws a world as a map, with the arguments the batch jobs give.
#include <iostream>
#include <string>
#include <vector>

#include "renderer/renderer.h"
#include "system/tool_system.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h" || words[0] == "/?")) {
    std::cout << sgrender::rendererHelp();
    return 0;
  }
  sgsys::returnFreedMemory();
  // Region files are read side by side, and the render cache holds the tiles it takes open.
  sgsys::raiseOpenFileLimit();
  return sgrender::runRenderer(words, std::cerr, &std::cout);
}
