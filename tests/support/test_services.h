// The platform services of a test: scripted dialogs, a recording launcher, a fixed clock and a
// private environment.
#pragma once
#include "platform/services.h"

namespace sg::test {

struct TestServices {
  platform::ScriptedDialogs dialogs;
  platform::RecordingLauncher launcher;
  platform::FixedClock clock;
  platform::MapEnvironment environment;
  platform::Services services{dialogs, launcher, clock, environment};
};

}  // namespace sg::test
