// "Clear all files", a button of the settings dialog and of the main window: after asking,
// every job file of the working folder is deleted by a batch file of its own.
#pragma once
#include "forms/registry.h"

namespace sg::settings {

void clearAllFiles(forms::Registry& registry);

}  // namespace sg::settings
