#include "settings/form5.h"

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
}

void Form5::Form_Load() {
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

}  // namespace sg::settings
