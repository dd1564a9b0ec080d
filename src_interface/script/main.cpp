// strandvale-g-script: runs a script of user actions against the system's windows, headless,
// in the current directory. The script is the file named as the one argument, else standard
// input.
#include <fstream>
#include <iostream>
#include <string>

#include "script/driver.h"

namespace {

const char* const kUsage =
    "usage: strandvale-g-script [SCRIPT]\n"
    "Runs the program's windows headless in the current directory (the working folder), acting as\n"
    "a user would, with the commands of SCRIPT or of standard input, one a line (# starts a comment):\n"
    "  start                      load the windows as the program starts\n"
    "  click|dblclick FORM.CONTROL, type FORM.CONTROL TEXT, pick FORM.CONTROL INDEX,\n"
    "  item FORM.CONTROL INDEX 0|1, set FORM.CONTROL.PROPERTY VALUE, close FORM, tick FORM.TIMER\n"
    "  print FORM.CONTROL.PROPERTY  what a window holds\n"
    "  answer BUTTON              the answer to the next message box\n"
    "  time HH:MM:SS, sleep SECONDS, env NAME VALUE, unenv NAME, append FILE TEXT, remove FILE,\n"
    "  launcher real              run jobs for real rather than record their start\n"
    "Message boxes, job starts and what is printed go to standard output in the order they happen.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (argc > 2) {
    std::cerr << kUsage;
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
