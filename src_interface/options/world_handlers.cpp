#include "options/world_handlers.h"

#include "options/level_option_line.h"

namespace sg::options {

// Until the world folders and name derivation exist, the boxes only rewrite the line.
void comboworldfolders_Click(jobs::RenderOptions& o) {
  bool custom = o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount();
  o.txtcustompath.setEnabled(custom);
  if (!o.locked()) writeleveloptions(o);
}

void txtcustompath_Change(jobs::RenderOptions& o) { writeleveloptions(o); }
void txtmapname_Change(jobs::RenderOptions& o) { writeleveloptions(o); }
void txtoutputfile_Change(jobs::RenderOptions&) {}

}  // namespace sg::options
