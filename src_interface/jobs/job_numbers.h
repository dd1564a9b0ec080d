// Job numbers: the first number whose job log is absent, so that jobs started one after
// another run side by side.
#pragma once
#include "forms/registry.h"
#include "options/render_options.h"

namespace sg::jobs {

// The first i from 0 to 99 for which renderJob<i>.log does not exist; 100 when all do.
int nextJobNumber();

// Choose job number: stores it in renderjob.
void chooseJobNumber(options::RenderOptions& o);


}  // namespace sg::jobs
