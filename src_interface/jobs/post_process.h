// Post-process: the post processor's command line that merges the stacked layer images (or
// takes the single one) into the final image, written to the job's batch file.
#pragma once
#include <string>

#include "jobs/job_build.h"
#include "options/render_entry.h"

namespace sg::jobs {

// The words after the executable's name: inputs, options and the quoted output name, for the
// entry being rendered. Applies the mirroring choice to the old mirror box as a
// post-processing step does.
std::string postProcessorWords(JobBuild& job, const options::RenderEntry& e);

void postprocess(JobBuild& job, const options::RenderEntry& e);

}  // namespace sg::jobs
