// The saves folder query and the two fixed save-folder paths.
#include "forms/form.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::settings {

namespace {

// Windows keeps APPDATA and LOCALAPPDATA; elsewhere the game keeps its worlds below HOME.
bool backslashSystem() { return files::separator() == '\\'; }

std::string baseFolder(const platform::Environment& env, const std::string& variable) {
  if (auto v = env.get(variable)) return *v;
  if (backslashSystem()) return {};
  if (variable == "LOCALAPPDATA") {
    if (auto xdg = env.get("XDG_DATA_HOME"); xdg && !xdg->empty()) return *xdg;
    if (auto home = env.get("HOME")) return *home + "/.local/share";
    return {};
  }
  return env.get("HOME").value_or("");
}


}  // namespace

std::string fixedSavePath(forms::Registry& registry, const std::string& variable) {
  const std::string sep(1, files::separator());
  return baseFolder(registry.services().environment, variable) + sep + ".minecraft" + sep +
         "saves" + sep;
}

std::string getSavePath(forms::Registry& registry) {
  forms::Form* dialog = settingsDialog(registry);
  if (!dialog) return fixedSavePath(registry, "APPDATA");
  InterfaceSettings s(*dialog);
  if (s.oppathappdata.value() == 1) return s.txtdefapp.text();
  if (s.oppathlocalappdata.value() == 1) return s.txtdeflocalapp.text();
  if (s.oppathcustom.value() == 1) {
    // World names are appended directly, so a typed folder without its final separator would
    // join the last folder and the world into one name.
    std::string custom = text::removeChar(s.customsavepath.text(), '"');
    if (!custom.empty() && !text::endsWithSeparator(custom)) custom += files::separator();
    return custom;
  }
  return {};
}

}  // namespace sg::settings
