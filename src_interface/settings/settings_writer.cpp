// Writing settings.dat (trysave): the whole record, every line closed by CR LF, replacing the
// previous file in one step so that it always holds either the old or the new record.
#include "forms/form.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::settings {

namespace {

bool on(const forms::Control& c) { return c.value() == 1; }

// The runtime's print form of a number: a blank for the sign, the digits, a trailing blank.
std::string indexLine(int i) { return " " + std::to_string(i) + " "; }

}  // namespace

std::vector<std::string> settingsFileLines(forms::Registry& registry) {
  InterfaceSettings s(*settingsDialog(registry));
  forms::Form& form1 = *registry.find("Form1");
  std::vector<std::string> out;
  auto key = [&](const char* k) { out.emplace_back(k); };
  auto keyValue = [&](const char* k, const std::string& v) { key(k); out.push_back(v); };

  keyValue("CustomSavePath", s.customsavepath.text());
  keyValue("DefaultSettings", form1.control("defaultset").text());
  keyValue("SavePathOption", on(s.oppathappdata)        ? "appPath"
                             : on(s.oppathlocalappdata) ? "localAppPath"
                             : on(s.oppathcustom)       ? "custom"
                                                        : "");
  const std::pair<const char*, forms::Control*> flags[] = {
      {"worldFolderAlpha", &s.worldfolderalpha},
      {"worldFolderNoSnooping", &s.worldfoldernosnooping},
      {"worldNameEmpty", &s.worldnameempty},
      {"worldNameNoSnooping", &s.worldnamenosnooping},
      {"worldNameNoParsing", &s.worldnamenoparsing},
      {"worldNameNoServerPrefix", &s.worldnamenoserverprefix},
      {"CustomPathNoLoading", &s.custompathnoloading},
      {"CustomPathNoSaving", &s.custompathnosaving}};
  for (const auto& [k, c] : flags)
    if (on(*c)) key(k);

  keyValue("CustomPathList", std::to_string(s.custompathlist.listCount()));
  for (const auto& entry : s.custompathlist.items()) out.push_back(text::trimBlanks(entry));

  if (on(s.checkdisablelogging)) key("AdvancedOptionsBatchDisableLogging");
  if (on(s.checkdisablepostprocessor)) key("AdvancedOptionsBatchDisablePostProcessor");
  if (s.combomapformat.listIndex() > 0)
    keyValue("AdvancedOptionsBatchMapFormat", indexLine(s.combomapformat.listIndex()));
  if (s.comboverbosity.listIndex() > 0)
    keyValue("AdvancedOptionsBatchVerbosity", indexLine(s.comboverbosity.listIndex()));
  if (!s.txtoutputfile.text().empty())
    keyValue("AdvancedOptionsBatchOutputFile", s.txtoutputfile.text());
  if (on(s.checksurpressstacking)) key("AdvancedOptionsPostProcessorSuppressStacking");
  if (on(s.checksurpressdeletion)) key("AdvancedOptionsPostProcessorSuppressDeletion");
  if (on(s.checksurpressautomirroring)) key("AdvancedOptionsPostProcessorSuppressAutoMirroring");
  if (on(s.checkmirror)) key("AdvancedOptionsPostProcessorMirror");
  if (s.combomirroring.listIndex() > 0)
    keyValue("AdvancedOptionsPostProcessorMirroring", indexLine(s.combomirroring.listIndex()));
  if (s.combobackground.listIndex() > 0)
    keyValue("AdvancedOptionsPostProcessorBackground", indexLine(s.combobackground.listIndex()));
  if (s.comborotation.listIndex() > 0)
    keyValue("AdvancedOptionsPostProcessorRotation", indexLine(s.comborotation.listIndex()));

  forms::Form* mods = registry.find("Form6");
  if (mods && mods->find("CheckAether") && on(mods->control("CheckAether"))) key("UseModAether");
  return out;
}

void trysave(forms::Registry& registry) {
  forms::Form* dialog = settingsDialog(registry);
  // Without the main window the default line is unknown; writing would lose it.
  if (!dialog || !registry.find("Form1")) return;
  if (InterfaceSettings(*dialog).loading()) return;
  std::string content;
  for (const auto& line : settingsFileLines(registry)) content += line + "\r\n";
  files::replaceAtomically("settings.dat", content);
}

}  // namespace sg::settings
