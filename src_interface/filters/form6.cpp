#include "filters/form6.h"

namespace sg::filters {

using forms::ControlTable;
using forms::Kind;

Form6::Form6(forms::Registry& registry) : Form(registry, "Form6", "Mods", kWidth, kHeight) {
  declare(controlTable());
  control("CheckAether").on(forms::Event::Click, [this] { CheckAether_Click(); });
}

const ControlTable& Form6::controlTable() {
  static const ControlTable table = {
      {.kind = Kind::CheckBox, .name = "CheckAether", .caption = "Aether collab", .left = 240, .top = 240, .width = 2295, .height = 285},
  };
  return table;
}

bool Form6::Form_QueryUnload() {
  hide();
  return false;
}

void Form6::CheckAether_Click() { applyToMainWindow(); }

void Form6::applyToMainWindow() {
  forms::Form* form1 = registry().find("Form1");
  if (!form1) return;
  auto& dimension = form1->control("comboDimension");
  auto& label = form1->control("lbldimension");
  auto& nether = form1->control("checknether");
  bool aether = control("CheckAether").value() == 1;
  forms::Control& leaving = aether ? nether : dimension;
  forms::Control& coming = aether ? dimension : nether;
  // A second call with the same value must not move anything: only a visible control hands
  // its place over.
  if (!leaving.visible() && coming.visible()) return;
  dimension.setVisible(aether);
  label.setVisible(aether);
  nether.setVisible(!aether);
  // The control that appears takes exactly the tab place of the one that goes.
  int place = leaving.tabIndex();
  leaving.setTabIndex(static_cast<int>(form1->controls().size()));
  coming.setTabIndex(place);
}

}  // namespace sg::filters
