#include "locale/locale_table.h"

namespace sg::locale {

LocaleTable::LocaleTable(forms::Form& f)
    : found_captions(f.control("found_captions")),
      found_translations(f.control("found_translations")),
      addfc(f.control("addfc")),
      addft(f.control("addft")),
      found_trans(f.control("found_trans")),
      chosencharset(f.control("chosencharset")) {}

}  // namespace sg::locale
