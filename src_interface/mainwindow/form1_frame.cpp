// The main window's frame: the two widths, the option panels, the title and the buttons that
// open the other windows.
#include "mainwindow/form1.h"

namespace sg::mainwindow {

void Form1::toggleAdvanced() { setWidth(width() > 6000 ? kNarrowWidth : kWideWidth); }
void Form1::Command6_Click() { toggleAdvanced(); }

void Form1::hideframes() {
  for (const char* f : {"frameI", "frameL", "frameR", "frameU"}) control(f).setVisible(false);
}

void Form1::togglePanel(const char* frame) {
  auto& panel = control(frame);
  if (!panel.visible()) hideframes();
  panel.setVisible(!panel.visible());
  const auto& at = control("framelocation");
  panel.move(at.left(), at.top());
}

void Form1::toggleI_Click() { togglePanel("frameI"); }
void Form1::toggleL_Click() { togglePanel("frameL"); }
void Form1::toggleR_Click() { togglePanel("frameR"); }
void Form1::toggleU_Click() { togglePanel("frameU"); }

void Form1::Label14_DblClick() {
  for (const char* c : {"comborotation", "combomirroring", "lblcomborotation", "lblcombomirroring",
                        "checkmirror"}) {
    auto& ctl = control(c);
    ctl.setVisible(!ctl.visible());
  }
  toggleR_Click();
}

void Form1::Command14_Click() {
  if (registry().knows("Form5")) registry().get("Form5").show();
}
void Form1::Command16_Click() {
  if (registry().knows("Form6")) registry().get("Form6").show();
}

}  // namespace sg::mainwindow
