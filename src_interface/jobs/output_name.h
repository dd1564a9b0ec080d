// The name of the image a render or a post-processing step finally gives the user: the map
// name with one suffix per option that differs from the plain map, placed by the output field.
#pragma once
#include <string>

#include "options/render_entry.h"
#include "options/render_options.h"
#include "options/request_options.h"

namespace sg::jobs {

// The name without ".png" and without the output field; `stacked` renders waiting to be
// merged add their count.
std::string baseName(const options::RenderEntry& e, const options::RequestOptions& r, long long stacked);

// The full name, with the output field.
std::string outputName(const options::RenderEntry& e, const options::RequestOptions& r, long long stacked);

}  // namespace sg::jobs
