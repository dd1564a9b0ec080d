// A level option line, as a stack row the user selects: the main window reads it back into its
// controls and writes the row again from them.
#include <string>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("level-line");
  static sgfuzz::App app;
  static sg::mainwindow::Form1& form = app.start();
  auto& stack = form.control("stacklist");
  std::string line(reinterpret_cast<const char*>(data), size);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  stack.addItem(line);
  stack.setListIndex(stack.listCount() - 1);
  while (stack.listCount() > 1) stack.removeItem(0);
  app.dialogs.clear();
  return 0;
}
