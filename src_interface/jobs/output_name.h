// The name of the image a render or a post-processing step finally gives the user: the map
// name with one suffix per option that differs from the plain map, placed by the output field.
#pragma once
#include <string>

#include "options/render_options.h"

namespace sg::jobs {

// The name without ".png" and without the output field, from the controls as they stand.
std::string baseName(const options::RenderOptions& o);

// The full name as generateName stores it.
std::string outputName(const options::RenderOptions& o);

// Sets genfile to the output name of the controls and the current stack count.
void generateName(options::RenderOptions& o);

}  // namespace sg::jobs
