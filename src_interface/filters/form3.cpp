#include "filters/form3.h"

#include <unordered_set>

#include "filters/block_catalogue.h"
#include "filters/id_list_text.h"
#include "filters/mod_block_list.h"
#include "locale/translate.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sg::filters {

using forms::Event;

Form3::Form3(forms::Registry& registry) : Form(registry, "Form3", "Select blocks", 8280, 5850) {
  declare(controlTable());
  // The file list shows the working folder as it stands when the window is created.
  auto& file1 = control("File1");
  if (auto names = files::filesOf("."))
    for (const auto& n : *names) file1.addItem(n);
  wireHandlers();
}

void Form3::wireHandlers() {
  auto on = [this](const char* control, Event e, void (Form3::*handler)()) {
    this->control(control).on(e, [this, handler] { (this->*handler)(); });
  };
  on("Command1", Event::Click, &Form3::Command1_Click);
  on("Command2", Event::Click, &Form3::Command2_Click);
  on("Command3", Event::Click, &Form3::Command3_Click);
  on("Command4", Event::Click, &Form3::Command4_Click);
  on("Command5", Event::Click, &Form3::Command5_Click);
  on("comboonlyfilter", Event::Click, &Form3::comboonlyfilter_Click);
  on("comboonly", Event::Click, &Form3::comboonly_Click);
  on("List1", Event::Click, &Form3::List1_Click);
}

void Form3::Form_Load() {
  locale::translateForm(registry(), "Form3");
  loadmodlist();
  setshadowalllist();
  populatelist();
}

void Form3::loadmodlist() {
  auto& filter = control("comboonlyfilter");
  for (const auto& name : control("File1").items())
    if (ModBlockList::isListName(name)) filter.addItem(name);
}

void Form3::loadmod(int k) {
  auto& filter = control("comboonlyfilter");
  if (k < 0 || k >= filter.listCount()) return;
  // A list that can no longer be read (removed since the dialog loaded) adds nothing.
  auto names = ModBlockList::read(filter.list(k));
  if (!names) return;
  auto& only = control("comboonly");
  for (const auto& n : *names) {
    while (n.id >= only.listCount()) only.addItem("");
    only.setList(n.id, n.name);
  }
}

void Form3::updateonlylist() {
  auto& only = control("comboonly");
  auto& filter = control("comboonlyfilter");
  const int remembered = only.listIndex() < 0 ? 0 : only.listIndex();
  {
    // The list is filled item by item, and shown once.
    forms::Control::ItemsBurst burst(only);
    only.clear();
    const int f = filter.listIndex();
    for (const auto& entry : BlockCatalogue::view(f)) only.addItem(entry);
    if (f <= 0 && filter.listCount() > BlockCatalogue::kFixedFilterItems)
      for (int k = BlockCatalogue::kFixedFilterItems; k < filter.listCount(); ++k) loadmod(k);
    if (f >= BlockCatalogue::kFixedFilterItems) loadmod(f);
    for (int i = 0; i < only.listCount(); ++i) only.setList(i, BlockCatalogue::displayText(i, only.list(i)));
  }
  // A shorter view than before leaves nothing selected.
  if (remembered < only.listCount()) only.setListIndex(remembered);
}

void Form3::setshadowalllist() {
  control("comboonlyfilter").setListIndex(0);
  updateonlylist();
  auto& all = control("shadowalllist");
  forms::Control::ItemsBurst burst(all);
  all.clear();
  for (const auto& entry : control("comboonly").items()) all.addItem(entry);
}

void Form3::depopulatelist() {
  auto& list1 = control("List1");
  auto& shadow = control("shadowlist");
  const auto& all = control("shadowalllist");
  std::unordered_set<std::string> removal;
  for (int i = 0; i < list1.listCount(); ++i) {
    if (!list1.selected(i)) continue;
    const std::string& entry = list1.list(i);
    removal.insert(entry.substr(0, entry.find(' ')));
  }
  forms::Control::ItemsBurst burst(list1);
  list1.clear();
  // Whole ids are compared, so removing 56 keeps 5; ids are kept in plain decimal so that
  // each one can be matched by the id its entry shows.
  std::unordered_set<std::string> seen;
  std::string kept;
  for (const auto& piece : text::splitBlanks(shadow.text())) {
    auto id = wholeNumberText(piece);
    if (!id || seen.count(*id) || removal.count(*id)) continue;
    seen.insert(*id);
    auto pos = valueWithin(*id, 0, all.listCount() - 1);
    // An id beyond the catalogue shows as the bare id and a blank.
    list1.addItem(pos ? all.list(*pos) : *id + " ");
    kept += *id + " ";
  }
  shadow.setText(kept);
}

void Form3::populatelist() {
  control("List1").clear();
  depopulatelist();
}

void Form3::Command4_Click() {
  auto& only = control("comboonly");
  auto& shadow = control("shadowlist");
  std::string chosen = shadow.text();
  if (!chosen.empty() && chosen.back() != ' ') chosen += ' ';
  for (int i = 0; i < only.listCount(); ++i) {
    if (!only.selected(i)) continue;
    only.setSelected(i, false);
    chosen += std::to_string(i) + " ";
  }
  shadow.setText(chosen);
  populatelist();
}

void Form3::Command1_Click() { depopulatelist(); }

void Form3::Command2_Click() {
  control("shadowlist").setText("");
  populatelist();
}

void Form3::Command5_Click() {
  updateonlylist();
  populatelist();
}

void Form3::Command3_Click() {
  if (forms::Form* main = registry().find("Form1")) {
    main->control("blockfiltertext").setText(control("shadowlist").text());
    auto& combo = main->control("blockfiltercombo");
    if (combo.listIndex() == 0) combo.setListIndex(1);
  }
  hide();
}

void Form3::comboonlyfilter_Click() { updateonlylist(); }
void Form3::comboonly_Click() { control("Command4").setDefault(true); }
void Form3::List1_Click() { control("Command1").setDefault(true); }

}  // namespace sg::filters
