// What the steps of one render request share while its batch file is built: the main window's
// options, the registry (for the settings dialog), the open batch file, and the job counters
// that live in hidden fields of the main window.
#pragma once
#include <string>

#include "forms/registry.h"
#include "jobs/batch_file.h"
#include "options/render_options.h"

namespace sg::jobs {

struct JobBuild {
  options::RenderOptions& o;
  forms::Registry& registry;
  BatchFile& batch;
};

// A counter field read as a whole number (its numeric value, so "Text1" reads as 0).
long long counter(const forms::Control& field);
void setCounter(forms::Control& field, long long value);

// The job number N of the request being built.
inline long long jobNumber(const options::RenderOptions& o) { return counter(o.renderjob); }

// A warning of the render job path: exclamation icon, OK, the system's title.
void warn(forms::Registry& registry, const std::string& text);

}  // namespace sg::jobs
