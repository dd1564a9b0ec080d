// The designer table of a form: one row per control, with kind, name, caption or items,
// geometry in twips, parent frame and start state. Each form lists its controls in one table.
#pragma once
#include <string>
#include <vector>

#include "forms/control.h"

namespace sg::forms {

struct ControlDecl {
  Kind kind;
  std::string name;
  std::string caption = {};  // caption, or the start text of a text box / combo edit field
  int left = 0, top = 0, width = 0, height = 0;
  std::string parent = {};   // frame holding the control; empty for the form
  std::vector<std::string> items = {};
  Style style = Style::Standard;
  bool visible = true;
  bool enabled = true;
  int value = 0;
  int listIndex = -1;
  bool isDefault = false;
  int interval = 0;          // timers
  bool timerEnabled = true;  // timers
  std::string tag = {};
  bool locked = false;
  int fontSize = 0;          // points; 0 is the window's own font
  bool fontBold = false;
};

using ControlTable = std::vector<ControlDecl>;

}  // namespace sg::forms
