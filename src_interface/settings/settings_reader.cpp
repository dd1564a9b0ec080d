// Reading settings.dat (loadsettingsfile): key lines, each followed by its value line where it
// has one. Reading stops quietly at the first value that cannot be used; what was read so far
// stays in effect.
#include <cmath>
#include <optional>

#include "forms/form.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::settings {

namespace {

// A list index written as a whole number, blanks around it allowed; nothing else is a number.
std::optional<int> indexValue(std::string_view raw) {
  std::string t = text::trimBlanks(raw);
  size_t i = 0, digits = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0 || i != t.size()) return std::nullopt;
  double v = text::numericValue(t);
  if (!(std::fabs(v) < 1e9)) return std::nullopt;
  return static_cast<int>(text::roundHalfEven(v));
}

class Reader {
 public:
  Reader(forms::Registry& registry, InterfaceSettings& s, std::vector<std::string> lines)
      : registry_(registry), s_(s), form1_(*registry.find("Form1")), lines_(std::move(lines)) {}

  void run() {
    std::string key;
    while (next(key)) {
      if (!apply(key)) return;
      copyAdvancedOptions(form1_, s_);
    }
  }

 private:
  bool next(std::string& line) {
    if (pos_ >= lines_.size()) return false;
    line = lines_[pos_++];
    return true;
  }

  // False ends reading.
  bool apply(const std::string& key) {
    std::string value;
    if (key == "CustomSavePath") {
      if (!next(value)) return false;
      s_.customsavepath.setText(value);
    } else if (key == "DefaultSettings") {
      if (!next(value)) return false;
      form1_.control("defaultset").setText(value);
    } else if (key == "SavePathOption") {
      if (!next(value)) return false;
      if (value == "appPath") s_.oppathappdata.setValue(1);
      else if (value == "localAppPath") s_.oppathlocalappdata.setValue(1);
      else if (value == "custom") s_.oppathcustom.setValue(1);
    } else if (forms::Control* flag = worldFlag(key)) {
      flag->setValue(1);
    } else if (key == "CustomPathNoSaving") {
      s_.custompathnosaving.setValue(1);
      s_.custompathlist.clear();
      form1_.control("txtcustompath").clear();
    } else if (key == "CustomPathList") {
      return readHistory();
    } else if (const char* box = mainWindowCheckBox(key)) {
      form1_.control(box).setValue(1);
    } else if (const char* list = mainWindowList(key)) {
      if (!next(value)) return false;
      auto index = indexValue(value);
      forms::Control& c = form1_.control(list);
      if (!index || *index < 0 || *index >= c.listCount()) return false;
      c.setListIndex(*index);
    } else if (key == "AdvancedOptionsBatchOutputFile") {
      if (!next(value)) return false;
      form1_.control("txtoutputfile").setText(value);
    } else if (key == "UseModAether") {
      useModAether();
    }
    return true;
  }

  bool readHistory() {
    s_.custompathlist.clear();
    std::string countLine;
    if (!next(countLine)) return false;
    double n = text::numericValue(countLine);
    size_t count = 0;
    if (n >= 1) {
      double whole = std::floor(n);
      double rest = static_cast<double>(lines_.size() - pos_) + 1;
      count = whole > rest ? static_cast<size_t>(rest) : static_cast<size_t>(whole);
    }
    forms::Control& mainList = form1_.control("txtcustompath");
    for (size_t k = 0; k < count; ++k) {
      std::string entry;
      if (!next(entry)) return false;
      if (s_.custompathnoloading.value() == 1) continue;
      s_.custompathlist.addItem(entry);
      mainList.addItem(entry);
    }
    return true;
  }

  // A restarted main window starts with the check box again, while the mods dialog kept its
  // tick; the switch must then be applied to the new window even though the value is unchanged.
  void useModAether() {
    forms::Form* mods = registry_.find("Form6");
    if (!mods) return;
    forms::Control* check = mods->find("CheckAether");
    if (!check) return;
    if (check->value() == 1) check->fire(forms::Event::Click);
    else check->setValue(1);
  }

  forms::Control* worldFlag(const std::string& key) {
    const std::pair<const char*, forms::Control*> flags[] = {
        {"worldFolderAlpha", &s_.worldfolderalpha},
        {"worldFolderNoSnooping", &s_.worldfoldernosnooping},
        {"worldNameEmpty", &s_.worldnameempty},
        {"worldNameNoSnooping", &s_.worldnamenosnooping},
        {"worldNameNoParsing", &s_.worldnamenoparsing},
        {"worldNameNoServerPrefix", &s_.worldnamenoserverprefix},
        {"CustomPathNoLoading", &s_.custompathnoloading}};
    for (const auto& [k, c] : flags)
      if (key == k) return c;
    return nullptr;
  }

  static const char* mainWindowCheckBox(const std::string& key) {
    static const std::pair<const char*, const char*> boxes[] = {
        {"AdvancedOptionsBatchDisableLogging", "checkdisablelogging"},
        {"AdvancedOptionsBatchDisablePostProcessor", "checkdisablepostprocessor"},
        {"AdvancedOptionsPostProcessorSuppressStacking", "checksurpressstacking"},
        {"AdvancedOptionsPostProcessorSuppressDeletion", "checksurpressdeletion"},
        {"AdvancedOptionsPostProcessorSuppressAutoMirroring", "checksurpressautomirroring"},
        {"AdvancedOptionsPostProcessorMirror", "checkmirror"}};
    for (const auto& [k, c] : boxes)
      if (key == k) return c;
    return nullptr;
  }

  static const char* mainWindowList(const std::string& key) {
    static const std::pair<const char*, const char*> lists[] = {
        {"AdvancedOptionsBatchMapFormat", "combomapformat"},
        {"AdvancedOptionsBatchVerbosity", "comboverbosity"},
        {"AdvancedOptionsPostProcessorMirroring", "combomirroring"},
        {"AdvancedOptionsPostProcessorBackground", "combobackground"},
        {"AdvancedOptionsPostProcessorRotation", "comborotation"}};
    for (const auto& [k, c] : lists)
      if (key == k) return c;
    return nullptr;
  }

  forms::Registry& registry_;
  InterfaceSettings& s_;
  forms::Form& form1_;
  std::vector<std::string> lines_;
  size_t pos_ = 0;
};

// The existence test ignores letter case, so the file is also opened under another case.
std::optional<std::vector<std::string>> readSettingsLines() {
  if (auto lines = files::readLines("settings.dat")) return lines;
  if (auto names = files::filesOf("."))
    for (const auto& name : *names)
      if (text::equalsNoCase(name, "settings.dat")) return files::readLines(name);
  return std::nullopt;
}

}  // namespace

void loadsettingsfile(forms::Registry& registry) {
  forms::Form* dialog = settingsDialog(registry);
  if (!dialog || !registry.find("Form1")) return;
  InterfaceSettings s(*dialog);
  if (files::FileExists("settings.dat")) {
    s.currentlyloading.setValue(1);
    if (auto lines = readSettingsLines()) {
      try {
        Reader(registry, s, std::move(*lines)).run();
      } catch (const std::exception&) {
        // A control that rejects a value ends reading like any other unusable value.
      }
    }
  }
  s.currentlyloading.setValue(0);
}

}  // namespace sg::settings
