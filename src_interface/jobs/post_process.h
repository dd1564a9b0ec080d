// Post-process: the post processor's command line that merges the stacked layer images (or
// takes the single one) into the final image, written to the job's batch file.
#pragma once
#include <string>

#include "jobs/job_build.h"

namespace sg::jobs {

// The words after the executable's name: inputs, options and the quoted output name. Applies
// the mirroring choice to checkmirror as a post-processing step does.
std::string postProcessorWords(options::RenderOptions& o);

void postprocess(JobBuild& job);

}  // namespace sg::jobs
