// A mod block list (.sgs), picked in the block filter dialog.
#include <string>

#include "filters/form3.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("mod-list");
  sgfuzz::writeInput("mods.sgs", data, size);
  sgfuzz::App app;
  auto& form1 = app.start();
  form1.control("Command8").userClick();  // "Select..." of the block filter
  if (auto* form3 = app.registry->findAs<sg::filters::Form3>("Form3")) {
    auto& lists = form3->control("comboonlyfilter");
    for (int k = 0; k < lists.listCount(); ++k) lists.setListIndex(k);
  }
  return 0;
}
