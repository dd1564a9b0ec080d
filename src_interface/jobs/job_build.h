// What the steps of one render request share while its batch file is built: the registry (for
// the dialogs and the settings dialog), the open batch file, the job's number, the request's
// options as read when Render was pressed, and the counters that the window shows in its
// hidden fields once the request is built.
#pragma once
#include <string>

#include "forms/registry.h"
#include "jobs/batch_file.h"
#include "options/render_options.h"
#include "options/request_options.h"

namespace sg::jobs {

struct JobBuild {
  forms::Registry& registry;
  BatchFile& batch;
  long long number = 0;              // N
  options::RequestOptions request;   // a step may change it, as the window's boxes would be
  long long stacked = 0;             // the layer images written since the last merge
  bool zoomableMap = false;          // whether a render since the last merge asked for a zoomable map
  long long tasks = 0;               // the job log's lines that the monitor counts
  std::string genfile;               // the output name generated last
};

// The request options that the main window and the settings dialog hold now.
options::RequestOptions readRequest(const options::RenderOptions& o, forms::Registry& registry);

// The counters, the last output name and the mirror box, into the main window's fields.
void showJobState(options::RenderOptions& o, const JobBuild& job);

// A counter field read as a whole number (its numeric value, so "Text1" reads as 0).
long long counter(const forms::Control& field);
void setCounter(forms::Control& field, long long value);

// The job number N of the request being built.
inline long long jobNumber(const options::RenderOptions& o) { return counter(o.renderjob); }

// A warning of the render job path: exclamation icon, OK, the system's title.
void warn(forms::Registry& registry, const std::string& text);

}  // namespace sg::jobs
