// Registers every window of the system with a registry, so that any of them can be found and
// loaded by name.
#pragma once
#include "forms/registry.h"

namespace sg::mainwindow {

void registerSystemForms(forms::Registry& registry);

}  // namespace sg::mainwindow
