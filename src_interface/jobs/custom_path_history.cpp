#include "jobs/custom_path_history.h"

#include "platform/text.h"

namespace sg::jobs {

void recordCustomPath(options::RenderOptions& o, forms::Registry& registry) {
  forms::Form* form5 = registry.find("Form5");
  forms::Control* noSaving = form5 ? form5->find("custompathnosaving") : nullptr;
  forms::Control* history = form5 ? form5->find("custompathlist") : nullptr;
  if (noSaving && noSaving->value() == 1) return;
  auto& worlds = o.comboworldfolders;
  if (worlds.listIndex() + 1 != worlds.listCount()) return;
  const std::string path = o.txtcustompath.text();
  if (text::trimBlanks(path).empty()) return;
  for (const auto& known : o.txtcustompath.items())
    if (text::equalsNoCase(known, path)) return;
  o.txtcustompath.addItem(path);
  if (history) history->addItem(path);
}

}  // namespace sg::jobs
