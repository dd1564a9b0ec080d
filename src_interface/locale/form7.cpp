#include "locale/form7.h"

#include <cmath>
#include <stdexcept>

#include "platform/files.h"
#include "platform/services.h"
#include "platform/text.h"

namespace sg::locale {

using forms::ControlTable;
using forms::Kind;

Form7::Form7(forms::Registry& registry) : Form(registry, "Form7", "Form7", 4800, 3600) {
  declare(controlTable());
}

const ControlTable& Form7::controlTable() {
  static const ControlTable table = {
      {.kind = Kind::ListBox, .name = "found_captions", .left = 120, .top = 120, .width = 2175, .height = 2010},
      {.kind = Kind::ListBox, .name = "found_translations", .left = 2400, .top = 120, .width = 2175, .height = 2010},
      {.kind = Kind::TextBox, .name = "addfc", .left = 120, .top = 2280, .width = 2175, .height = 315},
      {.kind = Kind::TextBox, .name = "addft", .left = 2400, .top = 2280, .width = 2175, .height = 315},
      {.kind = Kind::TextBox, .name = "found_trans", .left = 120, .top = 2700, .width = 2175, .height = 315},
      {.kind = Kind::TextBox, .name = "chosencharset", .caption = "0", .left = 2400, .top = 2700, .width = 2175, .height = 315},
  };
  return table;
}

void Form7::Form_Load() {
  auto t = table();
  // Added directly: through doaddfc an empty credit would become its own translation.
  for (auto [key, value] : {std::pair{kAuthorKey, ""}, std::pair{kCharsetKey, "0"}}) {
    t.found_captions.addItem(key);
    t.found_translations.addItem(value);
  }
  if (files::FileExists(kLocaleFile)) loadLocale();
  applyCharset();
}

int Form7::indexOf(const std::string& key) {
  auto t = table();
  if (static_cast<int>(index_.size()) != t.size()) {
    index_.clear();
    for (int i = 0; i < t.size(); ++i) index_.emplace(t.found_captions.list(i), i);
  }
  auto it = index_.find(key);
  return it == index_.end() ? -1 : it->second;
}

void Form7::doaddfc() {
  auto t = table();
  const std::string key = t.addfc.text();
  std::string offer = t.addft.text();
  if (key.empty()) {
    t.found_trans.setText("");
  } else if (int i = indexOf(key); i >= 0) {
    t.found_trans.setText(t.found_translations.list(i));
    if (!offer.empty()) t.found_translations.setList(i, offer);
  } else {
    if (offer.empty()) offer = key;
    t.found_captions.addItem(key);
    t.found_translations.addItem(offer);
    index_.emplace(key, t.size() - 1);
    t.found_trans.setText(offer);
  }
  t.addfc.setText("");
  t.addft.setText("");
}

std::string Form7::lookup(const std::string& caption, const std::string& offer) {
  auto t = table();
  t.addfc.setText(caption);
  t.addft.setText(offer);
  doaddfc();
  return t.found_trans.text();
}

void Form7::loadLocale() {
  auto lines = files::readLines(kLocaleFile);
  if (!lines) return;
  // A key line without its translation line ends the reading; the pairs before it stay.
  for (size_t i = 0; i + 1 < lines->size(); i += 2) lookup((*lines)[i], (*lines)[i + 1]);
}

void Form7::applyCharset() {
  auto t = table();
  const double value = text::numericValue(lookup(kCharsetKey));
  const int remembered = t.chosencharset.charset();
  t.chosencharset.setText(text::plainDecimal(value));
  try {
    // A character set is a whole number; a fraction names none.
    if (value != std::floor(value) || value < 0 || value > 255) throw std::invalid_argument("Invalid charset");
    t.chosencharset.setCharset(static_cast<int>(value));
  } catch (const std::invalid_argument&) {
    services().dialogs.message("Invalid charset", platform::kTitle, platform::Icon::Error,
                               platform::Buttons::OK);
    t.chosencharset.setText(std::to_string(remembered));
  }
}

void Form7::doTranslateForm(const std::string& formName) {
  forms::Form* form = registry().find(formName);
  if (!form) return;
  forms::Control* list = form->find("translate_caption");
  if (!list) return;
  const std::vector<std::string> names = list->items();
  const int charset = text::integerValue(table().chosencharset.text());
  for (const auto& name : names) {
    if (name.empty()) continue;
    forms::Control* c = form->find(name);
    if (!c) continue;  // a listed name the window does not have
    const std::string translation = lookup(c->caption());
    if (c->charset() != charset) {
      try {
        c->setCharset(charset);
      } catch (const std::invalid_argument&) {
      }
    }
    if (c->caption() != translation) c->setCaption(translation);
  }
}

}  // namespace sg::locale
