// LocaleTable: the translation pairs and the working fields of the translation window Form7,
// as a typed view of its controls (no copy: each member is the control itself).
#pragma once
#include "forms/form.h"

namespace sg::locale {

struct LocaleTable {
  explicit LocaleTable(forms::Form& form7);

  forms::Control& found_captions;      // keys, in order of first meeting
  forms::Control& found_translations;  // entry i translates found_captions entry i
  forms::Control& addfc;               // the caption to look up
  forms::Control& addft;               // the translation offered with it (may be empty)
  forms::Control& found_trans;         // the translation found by the last lookup
  forms::Control& chosencharset;       // the character set in force, as decimal text

  int size() const { return found_captions.listCount(); }
};

inline constexpr const char* kAuthorKey = "@author";
inline constexpr const char* kCharsetKey = "@charset";
inline constexpr const char* kLocaleFile = "locale.txt";

}  // namespace sg::locale
