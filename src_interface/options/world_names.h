// Map names derived from world folder paths: a local folder gives its own name, a server path
// a name with the server as prefix. The settings dialog's world name flags and the main
// window's no-snooping switch shape the result.
#pragma once
#include <string>

#include "options/render_options.h"

namespace sg::options {

// Results that are not names: the folder holds no level file, or the test itself failed.
inline constexpr const char* kLevelNotFound = "Level.dat NOT FOUND";
inline constexpr const char* kFolderNotFound = "FOLDER NOT FOUND";

// The name of a local folder path: empty, its last component, or one of the two results above.
std::string checkcustomname(RenderOptions& o, const std::string& folder);

// The name of a path that begins with two separators: the server part, periods turned into
// dashes, an underscore, then the last component. No level file test.
std::string checkservername(RenderOptions& o, const std::string& path);

// True when the path begins with two separators (either kind).
bool isServerPath(const std::string& path);

}  // namespace sg::options
