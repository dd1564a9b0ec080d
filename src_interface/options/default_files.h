// The read-only default files of the working folder: defaultSettings.txt (the default line)
// and defaultMapFormat.txt (the default map format).
#pragma once
#include "options/render_options.h"

namespace sg::options {

// defaultset takes the built-in line, then the first line of defaultSettings.txt when that
// file exists and its first line can be read.
void loaddefaultoptions(RenderOptions& o);

// combomapformat takes 0, then the number on the first line of defaultMapFormat.txt when it
// is a valid index.
void loaddefaultmapformat(RenderOptions& o);

}  // namespace sg::options
