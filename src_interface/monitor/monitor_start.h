// Opening the log window that follows a started job.
#pragma once
#include "forms/registry.h"

namespace sg::monitor {

// Opens the log window for job N with the number of tasks that its log will announce.
void openProgressMonitor(forms::Registry& registry, int job, int tasks);

}  // namespace sg::monitor
