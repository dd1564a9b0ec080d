// The log window's designer table (client area 9870 by 4920 twips): the job's log and progress
// on the left, what it made on the right.
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
      // What the job made, filled when it ends: the final images, the preview of the one
      // selected, and the buttons that open it.
      {.kind = Kind::Label, .name = "lblresult", .left = 6450, .top = 120, .width = 3300, .height = 255},
      {.kind = Kind::ListBox, .name = "outputlist", .left = 6450, .top = 420, .width = 3300, .height = 915},
      {.kind = Kind::Picture, .name = "picpreview", .left = 6450, .top = 1425, .width = 3300, .height = 2445},
      {.kind = Kind::CommandButton, .name = "Command4", .caption = "Open image", .left = 6450, .top = 3960, .width = 1620, .height = 375, .enabled = false},
      {.kind = Kind::CommandButton, .name = "Command5", .caption = "Open folder", .left = 8130, .top = 3960, .width = 1620, .height = 375, .enabled = false},
      {.kind = Kind::CommandButton, .name = "Command6", .caption = "Open map", .left = 6450, .top = 4440, .width = 1620, .height = 375, .enabled = false},
      {.kind = Kind::Timer, .name = "Timer2", .interval = 250, .timerEnabled = false},
      {.kind = Kind::TextBox, .name = "renderjob", .left = 10500, .top = 120, .width = 1200, .height = 315, .visible = false},
      {.kind = Kind::TextBox, .name = "totaljob", .left = 10500, .top = 480, .width = 1200, .height = 315, .visible = false},
      {.kind = Kind::Timer, .name = "Timer1", .interval = 1000, .timerEnabled = false},
      {.kind = Kind::ListBox, .name = "translate_caption", .left = 10500, .top = 840, .width = 1200, .height = 600,
       .items = {"checkdontclose", "Command2", "Command1", "Command3", "Command4", "Command5", "Command6"}, .visible = false},
  };
  return table;
}

}  // namespace sg::monitor
