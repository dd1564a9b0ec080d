// Render one entry: the renderer's command line for the selected stack entry, with its log
// announcement, written to the job's batch file, and the post-processing that an unstacked
// render needs before and after it.
#pragma once
#include <string>

#include "jobs/job_build.h"

namespace sg::jobs {

// The job-level arguments after the entry text ("progress ..." first, "outfile ..." last).
std::string rendererTail(JobBuild& job, const std::string& output);

// True when the settings dialog has the saves folder under APPDATA chosen (the default when
// the dialog is not loaded).
bool savePathIsAppData(forms::Registry& registry);

void renderthis(JobBuild& job);

}  // namespace sg::jobs
