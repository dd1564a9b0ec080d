// The platform services that the windows use: message boxes, job starts, clock, environment.
#pragma once
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/launcher.h"

namespace sg::platform {

struct Services {
  Dialogs& dialogs;
  Launcher& launcher;
  Clock& clock;
  Environment& environment;
};

}  // namespace sg::platform
