// strandvale-g-runner <batchfile>: runs a render job where no Windows command processor exists.
#include <iostream>

#include "runner/job_runner.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: strandvale-g-runner <batchfile>\n";
    return 2;
  }
  sgrunner::JobRunner runner(std::cout, std::cerr);
  sgrunner::RunResult result;
  if (!runner.runFile(argv[1], result)) {
    std::cerr << "strandvale-g-runner: cannot run the batch file " << argv[1] << "\n";
    return 1;
  }
  return result.lastStatus == 0 ? 0 : 1;
}
