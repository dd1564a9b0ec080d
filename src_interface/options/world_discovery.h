// The world list of the main window, built once at start-up from the saves folder, and the
// marker file that switches the level file tests off.
#pragma once
#include "options/render_options.h"

namespace sg::options {

inline constexpr const char* kNoSnoopingFile = "noSnooping.txt";

// When noSnooping.txt exists: name derivation stops testing for the level file, and the
// settings dialog's "do not load world folders" and "do not check for Level.dat" are checked.
void loadnosnooping(RenderOptions& o);

// Rebuilds comboworldfolders: the slot names (when shown), the world folders of the saves
// folder that hold a level file, then "Custom". A saves folder that cannot be listed is
// reported once and leaves only the slot names and "Custom".
void loadworldfolders(RenderOptions& o);

}  // namespace sg::options
