// Whether a user could act on a control now: a hidden or disabled control, one inside a hidden
// or disabled frame, one lying beyond the window's edge, or any control of a hidden window is
// out of the user's reach.
#pragma once
#include <string>

#include "forms/control.h"

namespace sg::script {

// Why a user could not act on the control; empty when they could.
std::string unreachable(const forms::Control& c);

}  // namespace sg::script
