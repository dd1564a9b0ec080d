// Render one entry: the renderer's command line for one render of the stack, with its log
// announcement, written to the job's batch file, and the post-processing that an unstacked
// render needs before and after it.
#pragma once
#include <string>

#include "jobs/job_build.h"
#include "options/render_entry.h"

namespace sg::jobs {

// The job-level arguments after the entry text ("progress ..." first, "outfile ..." last).
std::string rendererTail(const JobBuild& job, const std::string& output);

// True when the settings dialog has the saves folder under APPDATA chosen (the default when
// the dialog is not loaded).
bool savePathIsAppData(forms::Registry& registry);

// One render of the entry; `row` is the stack row's text as the window holds it for this
// render, which the renderer is given as its options.
void renderthis(JobBuild& job, const options::RenderEntry& e, const std::string& row);

}  // namespace sg::jobs
