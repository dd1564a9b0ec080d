// The interface settings kept in settings.dat: writing and reading the record, and the saves
// folder of the game's worlds.
#pragma once
#include <string>

#include "forms/registry.h"

namespace sg::settings {

// The saves folder in which the game's world folders lie; it ends with a separator.
std::string getSavePath(forms::Registry& registry);

// Writes settings.dat from the settings dialog and the main window.
void trysave(forms::Registry& registry);

// Reads settings.dat into the settings dialog and the main window.
void loadsettingsfile(forms::Registry& registry);

}  // namespace sg::settings
