// The settings dialog's custom path history. The dialog's list and the main window's custom
// path list hold the same paths in the same order for the whole run (a Duplicate adds to
// both), so every edit, move and deletion can address the main window's list by position.
#include "forms/form.h"
#include "platform/text.h"
#include "settings/form5.h"

namespace sg::settings {

namespace {
bool has(const forms::Control& list, int i) { return i >= 0 && i < list.listCount(); }
}  // namespace

forms::Control* Form5::mainHistory() const {
  forms::Form* main = registry().find("Form1");
  return main ? main->find("txtcustompath") : nullptr;
}

void Form5::bringMainHistoryInStep() {
  forms::Control* main = mainHistory();
  const auto& paths = control("custompathlist").items();
  if (!main || main->items() == paths) return;
  // Items are replaced without touching the box's text, so no change handling runs.
  while (main->listCount() > 0) main->removeItem(main->listCount() - 1);
  for (const auto& p : paths) main->addItem(p);
}

void Form5::custompathlist_Click() {
  auto& list = control("custompathlist");
  if (list.listIndex() >= 0) control("custompathinput").setText(list.text());
}

// The main window picks the same path, with its own selection handling.
void Form5::custompathlist_DblClick() {
  int i = control("custompathlist").listIndex();
  forms::Control* main = mainHistory();
  if (!main || !has(*main, i)) return;
  if (main->listIndex() != i) return main->setListIndex(i);
  // Already picked, but its text was edited since: pick it again through its edit field.
  if (main->text() != main->list(i)) main->setText(main->list(i));
}

void Form5::custompathinput_Change() {
  auto& input = control("custompathinput");
  std::string cleaned = text::removeChar(input.text(), '"');
  if (cleaned != input.text()) return input.setText(cleaned);  // fires this handler again
  // A path being typed is written once it no longer ends with a separator.
  if (text::endsWithSeparator(cleaned)) return;
  auto& list = control("custompathlist");
  int i = list.listIndex();
  if (i < 0) {
    input.setText("");
    return;
  }
  list.setList(i, cleaned);
  if (forms::Control* main = mainHistory(); main && has(*main, i)) main->setList(i, cleaned);
}

void Form5::exchange(int i, int j) {
  auto& list = control("custompathlist");
  forms::Control* main = mainHistory();
  if (!has(list, i) || !has(list, j)) return;
  std::string a = list.list(i), b = list.list(j);
  if (main) {
    // A main window list out of step is left alone rather than mixed up.
    if (!has(*main, i) || !has(*main, j)) return;
    a = main->list(i);
    b = main->list(j);
    main->setList(i, b);
    main->setList(j, a);
  }
  list.setList(i, b);
  list.setList(j, a);
  list.setListIndex(j);
}

// Move up.
void Form5::Command3_Click() {
  auto& list = control("custompathlist");
  int i = list.listIndex();
  if (i == 0) return;
  if (list.listCount() > 1 && i > 0) exchange(i, i - 1);
  trysave(registry());
}

// Move down.
void Form5::Command4_Click() {
  auto& list = control("custompathlist");
  int i = list.listIndex();
  if (i == list.listCount() - 1) return;
  if (list.listCount() > 1 && i >= 0) exchange(i, i + 1);
  trysave(registry());
}

// Delete.
void Form5::Command5_Click() {
  auto& list = control("custompathlist");
  int i = list.listIndex();
  if (i >= 0) {
    if (forms::Control* main = mainHistory(); main && has(*main, i)) main->removeItem(i);
    list.removeItem(i);
  }
  trysave(registry());
}

// Duplicate: the copy goes to the end of both lists, which so stay in step.
void Form5::Command7_Click() {
  auto& list = control("custompathlist");
  int i = list.listIndex();
  if (i >= 0) {
    std::string copy = list.list(i);
    list.addItem(copy);
    if (forms::Control* main = mainHistory()) main->addItem(copy);
  }
  trysave(registry());
}

}  // namespace sg::settings
