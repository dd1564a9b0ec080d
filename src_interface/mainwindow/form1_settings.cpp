// The main window's buttons that keep defaults with the interface settings.
#include "mainwindow/form1.h"
#include "options/level_option_line.h"
#include "settings/interface_settings.h"

namespace sg::mainwindow {

// "Save as default": the selected stack entry becomes the default line.
void Form1::Command10_Click() {
  auto o = options();
  // Without a selected entry there is no line to keep; an empty default would be saved.
  if (o.stacklist.listIndex() < 0) return;
  o.defaultset.setText(o.stacklist.text());
  settings::trysave(registry());
}

// "Clear default settings": the built-in line becomes the default again.
void Form1::Command11_Click() {
  options().defaultset.setText(options::kBuiltInDefaultLine);
  settings::trysave(registry());
}

// "Save Advanced options": the request options are copied into the saved mirror.
void Form1::saveAdvancedMapSettings_Click() {
  forms::Form* dialog = settings::settingsDialog(registry());
  if (!dialog) return;
  settings::InterfaceSettings s(*dialog);
  settings::copyAdvancedOptions(*this, s);
  settings::trysave(registry());
}

}  // namespace sg::mainwindow
