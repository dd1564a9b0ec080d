// What a real window tells its realization: a user action is over (the moment to collect
// unloaded windows), or the user pressed the close box.
#pragma once
#include "forms/form.h"

namespace sg::realize {

class WindowActions {
 public:
  virtual ~WindowActions() = default;
  virtual void userActionDone() = 0;
  virtual void closeBox(forms::Form& form) = 0;
};

}  // namespace sg::realize
