#include "jobs/custom_path_history.h"

#include "platform/text.h"

namespace sg::jobs {

void recordCustomPath(const options::RenderEntry& e, options::RenderOptions& o, forms::Registry& registry) {
  forms::Form* form5 = registry.find("Form5");
  forms::Control* noSaving = form5 ? form5->find("custompathnosaving") : nullptr;
  forms::Control* history = form5 ? form5->find("custompathlist") : nullptr;
  if (noSaving && noSaving->value() == 1) return;
  if (!e.custom) return;
  const std::string& path = e.customPath;
  if (text::trimBlanks(path).empty()) return;
  for (const auto& known : o.txtcustompath.items())
    if (text::equalsNoCase(known, path)) return;
  o.txtcustompath.addItem(path);
  if (history) history->addItem(path);
}

}  // namespace sg::jobs
