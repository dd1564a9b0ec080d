// The translation window, Form7: holds the LocaleTable, loads locale.txt once per run and
// translates the listed captions of the other windows. It is loaded hidden and never shown.
#pragma once
#include <string>
#include <unordered_map>

#include "forms/registry.h"
#include "locale/locale_table.h"

namespace sg::locale {

class Form7 : public forms::Form {
 public:
  explicit Form7(forms::Registry& registry);
  static const forms::ControlTable& controlTable();

  LocaleTable table() { return LocaleTable(*this); }

  // Fills the initial pairs, reads locale.txt when it exists, then applies "@charset".
  void Form_Load() override;

  // Looks up addfc with the offer addft; sets found_trans; clears both inputs.
  void doaddfc();
  // The translation of a caption, registering an unknown one as its own translation.
  std::string lookup(const std::string& caption, const std::string& offer = {});
  void loadLocale();
  void applyCharset();
  // Translates the listed captions of the loaded window of that name; nothing when not loaded.
  void doTranslateForm(const std::string& formName);

 private:
  int indexOf(const std::string& key);

  // Position of each key in found_captions, so that a large locale file loads in linear time.
  std::unordered_map<std::string, int> index_;
};

}  // namespace sg::locale
