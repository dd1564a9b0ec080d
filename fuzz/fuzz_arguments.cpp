// The renderer's and the post processor's command lines, split as the command processor splits
// them.
#include <string>

#include "batch/windows_arguments.h"
#include "post_processor/post_arguments.h"
#include "renderer/render_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  const auto words = sgbatch::splitWindowsArguments(line);
  std::string error;
  sgrender::parseRenderArguments(words, error);
  sgpost::parsePostArguments(words, error);
  return 0;
}
