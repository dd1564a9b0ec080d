// A window with one control of every kind, registered as the main window, whose handlers
// leave a trace, show message boxes, start jobs and end the program, for driving the driver.
#pragma once
#include <string>

#include "forms/registry.h"

namespace sg::test {

// Registers "Form1" (the sample) and "Other" (never loaded by itself).
void registerSampleForms(forms::Registry& registry);

// What the sample's handlers have done, in order, as "control:event" words.
std::string& sampleTrace();

}  // namespace sg::test
