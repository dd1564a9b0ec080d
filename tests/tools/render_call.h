// One run of the renderer in the test's process, with the arguments as a command line.
#pragma once
#include <sstream>
#include <string>

#include "batch/windows_arguments.h"
#include "renderer/renderer.h"

namespace sgtest {

struct Render {
  std::ostringstream errors;
  int status;
  explicit Render(const std::string& args) {
    status = sgrender::runRenderer(sgbatch::splitWindowsArguments(args), errors);
  }
};

}  // namespace sgtest
