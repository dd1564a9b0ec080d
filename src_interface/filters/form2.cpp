#include "filters/form2.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>

#include "filters/id_list_text.h"
#include "locale/translate.h"
#include "platform/text.h"

namespace sg::filters {

using forms::Event;

namespace {

// The layer that a typed text names: its plain decimal text exactly, a whole number, 0 to 127.
std::optional<int> typedLayer(const std::string& typed) {
  const double v = text::numericValue(typed);
  if (typed != text::plainDecimal(v) || v != std::floor(v)) return std::nullopt;
  if (v < Form2::kLowestLayer || v > Form2::kHighestLayer) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace

Form2::Form2(forms::Registry& registry) : Form(registry, "Form2", "Select layers", 7020, 5370) {
  declare(controlTable());
  wireHandlers();
}

void Form2::wireHandlers() {
  auto on = [this](const char* control, Event e, void (Form2::*handler)()) {
    this->control(control).on(e, [this, handler] { (this->*handler)(); });
  };
  on("add1", Event::Click, &Form2::add1_Click);
  on("addm", Event::Click, &Form2::addm_Click);
  on("Command1", Event::Click, &Form2::Command1_Click);
  on("Command2", Event::Click, &Form2::Command2_Click);
  on("Command3", Event::Click, &Form2::Command3_Click);
  on("Text1", Event::Change, &Form2::Text1_Change);
  on("Text2", Event::Change, &Form2::Text2_Change);
  on("Text3", Event::Change, &Form2::Text3_Change);
}

void Form2::Form_Load() {
  locale::translateForm(registry(), "Form2");
  populatelist();
  control("Label1").setCaption(legend());
}

void Form2::populatelist() {
  auto& list1 = control("List1");
  forms::Control::ItemsBurst burst(list1);
  list1.clear();
  const forms::Form* main = registry().find("Form1");
  if (!main) return;
  // Pieces are kept in plain decimal, so that "05" cannot stand beside 5 as a second entry.
  std::unordered_set<std::string> seen;
  for (const auto& piece : text::splitBlanks(main->control("layerfiltertext").text())) {
    auto layer = wholeNumberText(piece);
    if (!layer || seen.count(*layer) || !valueWithin(*layer, kLowestLayer, kHighestLayer)) continue;
    seen.insert(*layer);
    list1.addItem(*layer);
  }
}

void Form2::addThis(int layer) {
  auto& list1 = control("List1");
  const std::string wanted = std::to_string(layer);
  int position = 0;
  for (int i = 0; i < list1.listCount(); ++i) {
    const std::string& entry = list1.list(i);
    if (entry == wanted) return;
    if (text::numericValue(entry) < layer) position = i + 1;
  }
  list1.addItem(wanted, position);
}

void Form2::add1_Click() {
  auto& text1 = control("Text1");
  if (auto layer = typedLayer(text1.text())) {
    addThis(*layer);
    text1.setText("");
  }
}

void Form2::addm_Click() {
  auto a = typedLayer(control("Text2").text());
  auto b = typedLayer(control("Text3").text());
  if (!a || !b) return;
  const int low = std::min(*a, *b), high = std::max(*a, *b);
  for (int v = low; v <= high; ++v) addThis(v);
}

void Form2::Command1_Click() {
  auto& list1 = control("List1");
  for (int i = 0; i < list1.listCount();) {
    if (list1.selected(i)) list1.removeItem(i);
    else ++i;
  }
}

void Form2::Command2_Click() { control("List1").clear(); }

void Form2::Command3_Click() {
  std::string layers;
  for (const auto& entry : control("List1").items()) layers += entry + " ";
  if (forms::Form* main = registry().find("Form1")) {
    main->control("layerfiltertext").setText(layers);
    auto& combo = main->control("layerfiltercombo");
    if (combo.listIndex() == 0) combo.setListIndex(1);
  }
  hide();
}

void Form2::Text1_Change() { control("add1").setDefault(true); }
void Form2::Text2_Change() { control("addm").setDefault(true); }
void Form2::Text3_Change() { control("addm").setDefault(true); }

}  // namespace sg::filters
