#include "settings/form5.h"

#include "settings/clear_files.h"
#include "locale/translate.h"
#include "platform/text.h"

namespace sg::settings {

using forms::Event;

Form5::Form5(forms::Registry& registry)
    : Form(registry, "Form5", "Strandvale G Advanced Interface Settings", kWidth, kDesignHeight) {
  declare(controlTable());
  wireHandlers();
}

void Form5::wireHandlers() {
  auto on = [this](const char* control, Event e, void (Form5::*handler)()) {
    this->control(control).on(e, [this, handler] { (this->*handler)(); });
  };
  on("txtdefapp", Event::Change, &Form5::txtdefapp_Change);
  on("txtdeflocalapp", Event::Change, &Form5::txtdeflocalapp_Change);
  on("customsavepath", Event::Change, &Form5::customsavepath_Change);
  for (const char* c : {"oppathappdata", "oppathlocalappdata", "oppathcustom",
                        "worldfoldernosnooping", "worldfolderalpha", "worldnameempty",
                        "worldnamenosnooping", "worldnamenoparsing", "worldnamenoserverprefix",
                        "custompathnoloading", "custompathnosaving"})
    on(c, Event::Click, &Form5::setting_Click);

  on("custompathlist", Event::Click, &Form5::custompathlist_Click);
  on("custompathlist", Event::DblClick, &Form5::custompathlist_DblClick);
  on("custompathinput", Event::Change, &Form5::custompathinput_Change);
  on("Command3", Event::Click, &Form5::Command3_Click);
  on("Command4", Event::Click, &Form5::Command4_Click);
  on("Command5", Event::Click, &Form5::Command5_Click);
  on("Command7", Event::Click, &Form5::Command7_Click);

  on("Command1", Event::Click, &Form5::Command1_Click);
  on("Command2", Event::Click, &Form5::Command2_Click);
  on("Command6", Event::Click, &Form5::Command6_Click);
}

void Form5::Form_Load() {
  // The first translation request builds the translation table, with locale.txt.
  locale::translateForm(registry(), "Form5");
  setHeight(kLoadedHeight);
  // Any change makes the boxes fill in their fixed paths.
  control("txtdefapp").setText(" ");
  control("txtdeflocalapp").setText(" ");
}

bool Form5::Form_QueryUnload() {
  hide();
  return false;
}

// Each box undoes any edit at once: it always shows the fixed path of its variable.
void Form5::txtdefapp_Change() { control("txtdefapp").setText(fixedSavePath(registry(), "APPDATA")); }
void Form5::txtdeflocalapp_Change() {
  control("txtdeflocalapp").setText(fixedSavePath(registry(), "LOCALAPPDATA"));
}

void Form5::customsavepath_Change() {
  auto& box = control("customsavepath");
  std::string cleaned = text::removeChar(box.text(), '"');
  // The cleaned text fires this handler again, which saves it.
  if (cleaned != box.text()) return box.setText(cleaned);
  trysave(registry());
}

// Every option button and check box of the dialog is saved at once.
void Form5::setting_Click() { trysave(registry()); }

void Form5::Command1_Click() { settings::clearAllFiles(registry()); }

void Form5::Command2_Click() { hide(); }

// Restart: the main window goes without ending the program and comes back with a fresh
// start-up, which reads settings.dat and the world folders anew. This dialog stays as it is.
void Form5::Command6_Click() {
  forms::Registry& r = registry();
  trysave(r);
  if (forms::Form* main = r.find("Form1")) {
    main->control("donotterminate").setValue(1);
    main->unload();
  }
  if (r.ended() || !r.knows("Form1")) return;
  forms::Form& main = r.get("Form1");
  if (!main.loaded()) return;
  bringMainHistoryInStep();
  main.show();
}

}  // namespace sg::settings
