// strandvale-g-script: runs a script of user actions against the system's windows, headless,
// in the current directory. The script is the file named as the one argument, else standard
// input.
#include <fstream>
#include <iostream>

#include "script/driver.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: strandvale-g-script [SCRIPT]\n";
    return 2;
  }
  sg::script::Driver driver(std::cout, std::cerr);
  if (argc == 2) {
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
      std::cerr << "strandvale-g-script: cannot read " << argv[1] << '\n';
      return 2;
    }
    return driver.run(script);
  }
  return driver.run(std::cin);
}
