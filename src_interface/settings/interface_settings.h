// The interface settings kept in settings.dat: the record as a typed view of the settings
// dialog's controls, writing and reading the file, and the saves folder of the game's worlds.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "forms/registry.h"

namespace sg::settings {

// The record: every field is a control of the settings dialog (Form5), most of them shown
// there, the advanced options mirror and the loading flag hidden.
struct InterfaceSettings {
  explicit InterfaceSettings(forms::Form& form5);

  forms::Form& form;

  forms::Control& oppathappdata;
  forms::Control& oppathlocalappdata;
  forms::Control& oppathcustom;
  forms::Control& txtdefapp;
  forms::Control& txtdeflocalapp;
  forms::Control& customsavepath;
  forms::Control& worldfolderalpha;
  forms::Control& worldfoldernosnooping;
  forms::Control& worldnameempty;
  forms::Control& worldnamenosnooping;
  forms::Control& worldnamenoparsing;
  forms::Control& worldnamenoserverprefix;
  forms::Control& custompathnoloading;
  forms::Control& custompathnosaving;
  forms::Control& custompathlist;

  // While checked, trysave writes nothing (the reader and the marker file step set it).
  forms::Control& currentlyloading;

  // The advanced options mirror: what is saved of the main window's request options.
  forms::Control& combomapformat;
  forms::Control& comboverbosity;
  forms::Control& checkdisablelogging;
  forms::Control& checkdisablepostprocessor;
  forms::Control& txtoutputfile;
  forms::Control& checksurpressstacking;
  forms::Control& checksurpressdeletion;
  forms::Control& checksurpressautomirroring;
  forms::Control& checkmirror;
  forms::Control& combomirroring;
  forms::Control& combobackground;
  forms::Control& comborotation;

  bool loading() const { return currentlyloading.value() == 1; }
};

// The settings dialog when it is loaded, else null.
forms::Form* settingsDialog(const forms::Registry& registry);

// True when the named check box of the settings dialog holds exactly 1; false when the dialog
// is not loaded.
bool settingOn(const forms::Registry& registry, std::string_view checkbox);

// The saves folder in which the game's world folders lie; it ends with a separator unless it
// is empty (no save-folder option selected, or an empty custom folder).
std::string getSavePath(forms::Registry& registry);

// The fixed saves folder below the folder that the environment variable names (APPDATA or
// LOCALAPPDATA), ending with a separator.
std::string fixedSavePath(forms::Registry& registry, const std::string& variable);

// Writes settings.dat from the settings dialog and the main window, replacing the file whole.
// Does nothing while the record is loading or when a window that holds fields is missing.
void trysave(forms::Registry& registry);

// The lines that trysave writes, each without its line end.
std::vector<std::string> settingsFileLines(forms::Registry& registry);

// Reads settings.dat into the settings dialog, the main window and the mods dialog. Stops
// quietly at the first value it cannot use; what was read stays in effect.
void loadsettingsfile(forms::Registry& registry);

// Copies the twelve request options of the main window into the mirror.
void copyAdvancedOptions(forms::Form& form1, InterfaceSettings& s);

}  // namespace sg::settings
