#include "options/world_handlers.h"

#include "forms/registry.h"
#include "options/level_option_line.h"
#include "options/world_names.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::options {

namespace {

bool customSelected(const RenderOptions& o) {
  return o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount();
}


}  // namespace

void comboworldfolders_Click(RenderOptions& o) {
  if (customSelected(o)) {
    o.txtcustompath.setEnabled(true);
  } else {
    o.txtcustompath.setEnabled(false);
    std::string saves = settings::getSavePath(o.form.registry());
    o.txtmapname.setText(checkcustomname(o, saves + o.comboworldfolders.text()));
  }
  if (!o.locked()) writeleveloptions(o);
}

void txtcustompath_Change(RenderOptions& o) {
  o.txtcustompath.setText(text::removeChar(o.txtcustompath.text(), '"'));
  std::string path = o.txtcustompath.text();
  // A path still being typed: wait for the folder name after the separator.
  if (text::endsWithSeparator(path)) return;
  o.txtmapname.setText(isServerPath(path) ? checkservername(o, path) : checkcustomname(o, path));
  writeleveloptions(o);
}

void txtmapname_Change(RenderOptions& o) {
  for (char forbidden : {'\\', '/', '"'})
    o.txtmapname.setText(text::removeChar(o.txtmapname.text(), forbidden));
  writeleveloptions(o);
}

void txtoutputfile_Change(RenderOptions& o) {
  o.txtoutputfile.setText(text::removeChar(o.txtoutputfile.text(), '"'));
}

void deriveStartupMapName(RenderOptions& o) {
  if (!o.txtmapname.text().empty()) return;
  std::string saves = settings::getSavePath(o.form.registry());
  o.txtmapname.setText(checkcustomname(o, saves + o.comboworldfolders.text()));
}

}  // namespace sg::options
