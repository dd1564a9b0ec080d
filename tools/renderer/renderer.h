// One run of the renderer: find the world, read its region files, draw the map, and write
// the image, the progress file and (when asked) the offset file.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "renderer/render_arguments.h"

namespace sgrender {

// The world folder the request names: the custom path, or the save folder (from the
// environment argument, else APPDATA's, else the home folder's) followed by the folder name.
// Backslashes are read as separators when the path as written does not exist.
std::string worldFolder(const RenderRequest& request);

// Returns the exit status: 0 when an image was written (damaged chunks are skipped and
// reported), 1 with a message on errors otherwise. The progress reports of the verbosity go to
// report (standard output for the program), or to errors when none is given.
int runRenderer(const std::vector<std::string>& words, std::ostream& errors, std::ostream* report = nullptr);

// The renderer's words, one line each on what it draws.
const char* rendererHelp();

}  // namespace sgrender
