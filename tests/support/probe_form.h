// A window made only of a designer table, named Probe, for tests of the window builders: one
// control of every kind (a frame with option buttons inside and one outside, lists plain and
// with check boxes, a default button, a hidden field, a timer).
#pragma once
#include "forms/registry.h"

namespace sg::test {

const forms::ControlTable& probeControls();

// Registers the Probe window with the given table (the controls above unless told otherwise).
void registerProbe(forms::Registry& registry, const forms::ControlTable& table = probeControls(), int width = 6000,
                   int height = 4000);

}  // namespace sg::test
