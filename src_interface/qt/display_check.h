// Before any window opens: on a desktop without a display the program says so in one line and
// points to the headless script driver, instead of failing inside the toolkit.
#pragma once
#include <optional>
#include <string>

#include "platform/environment.h"

namespace sg::qt {

// The line to print when no window can open, or nothing when a display (or a chosen Qt
// platform) is there. programPath is how the program was started (argv[0]).
std::optional<std::string> missingDisplayMessage(const platform::Environment& env,
                                                 const std::string& programPath);

}  // namespace sg::qt
