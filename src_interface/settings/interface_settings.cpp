#include "settings/interface_settings.h"

#include "platform/files.h"

namespace sg::settings {

// Placeholders until the settings record exists.
std::string getSavePath(forms::Registry& registry) {
  auto appdata = registry.services().environment.get("APPDATA");
  std::string sep(1, files::separator());
  return appdata.value_or("") + sep + ".minecraft" + sep + "saves" + sep;
}
void trysave(forms::Registry&) {}
void loadsettingsfile(forms::Registry&) {}

}  // namespace sg::settings
