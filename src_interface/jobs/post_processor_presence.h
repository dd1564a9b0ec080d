// The start-up check for the post processor: without it every render writes its image
// directly, so the "Disable Post Processor" box is greyed.
#pragma once
#include "options/render_options.h"

namespace sg::jobs {

inline constexpr const char* kPostProcessorFile = "Strandvale_g_post_processor.exe";

void checkpostprocessor(options::RenderOptions& o);

}  // namespace sg::jobs
