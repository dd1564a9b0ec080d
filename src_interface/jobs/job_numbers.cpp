#include "jobs/job_numbers.h"

#include "batch/job_files.h"
#include "jobs/job_build.h"
#include "platform/files.h"

namespace sg::jobs {

int nextJobNumber() {
  for (int i = 0; i < 100; ++i)
    if (!files::FileExists(sgbatch::jobLog(i))) return i;
  return 100;
}

void chooseJobNumber(options::RenderOptions& o) { setCounter(o.renderjob, nextJobNumber()); }

}  // namespace sg::jobs
