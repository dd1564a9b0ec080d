// The log window's designer table (client area 6450 by 4920 twips).
#include "monitor/form4.h"

namespace sg::monitor {

using forms::Kind;

const forms::ControlTable& Form4::controlTable() {
  static const forms::ControlTable table = {
      {.kind = Kind::ListBox, .name = "progresslist", .left = 120, .top = 120, .width = 6210, .height = 2760},
      // The task count takes the most room: at the end it says when the job was completed.
      {.kind = Kind::Label, .name = "lbltask", .left = 120, .top = 2970, .width = 3495, .height = 255},
      {.kind = Kind::Label, .name = "lblpercentagetask", .left = 3660, .top = 2970, .width = 1830, .height = 255},
      {.kind = Kind::Label, .name = "lblpercentage", .left = 5535, .top = 2970, .width = 795, .height = 255},
      {.kind = Kind::ProgressBar, .name = "progressbar", .left = 120, .top = 3285, .width = 6210, .height = 225},
      {.kind = Kind::CheckBox, .name = "checkdontclose", .caption = "Do not close when finished", .left = 120, .top = 3585, .width = 6210, .height = 285},
      {.kind = Kind::CommandButton, .name = "Command1", .caption = "Hide until finished", .left = 120, .top = 3960, .width = 3045, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command2", .caption = "Return to main screen", .left = 3285, .top = 3960, .width = 3045, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command3", .caption = "Stop job", .left = 120, .top = 4440, .width = 3045, .height = 375},
      {.kind = Kind::TextBox, .name = "renderjob", .left = 7000, .top = 120, .width = 1200, .height = 315, .visible = false},
      {.kind = Kind::TextBox, .name = "totaljob", .left = 7000, .top = 480, .width = 1200, .height = 315, .visible = false},
      {.kind = Kind::Timer, .name = "Timer1", .interval = 1000, .timerEnabled = false},
      {.kind = Kind::ListBox, .name = "translate_caption", .left = 7000, .top = 840, .width = 1200, .height = 600,
       .items = {"checkdontclose", "Command2", "Command1", "Command3"}, .visible = false},
  };
  return table;
}

}  // namespace sg::monitor
