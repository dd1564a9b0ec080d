// A batch file for the job runner, run in a folder of its own (the runner only writes and
// deletes files of its working folder, and only starts the render tools found there).
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "runner/job_runner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sgfuzz::enterWorkingFolder("batch");
  static int runs = 0;
  if (++runs % 500 == 0)  // what the jobs wrote
    for (auto& e : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(e.path());
  std::ostringstream out, report;
  sgrunner::JobRunner runner(out, report);
  runner.runContent(std::string(reinterpret_cast<const char*>(data), size), "renderJob0.bat");
  return 0;
}
