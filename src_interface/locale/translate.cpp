#include "locale/translate.h"

#include "locale/form7.h"

namespace sg::locale {

Form7* localeWindow(forms::Registry& registry) {
  if (auto* f = registry.findAs<Form7>("Form7")) return f;
  if (!registry.knows("Form7") || registry.ended()) return nullptr;
  return &registry.get<Form7>("Form7");
}

void translateForm(forms::Registry& registry, const std::string& formName) {
  if (Form7* f = localeWindow(registry)) f->doTranslateForm(formName);
}

}  // namespace sg::locale
