#include "settings/interface_settings.h"

namespace sg::settings {

#define SG_FIELD(n) n(form5.control(#n))

InterfaceSettings::InterfaceSettings(forms::Form& form5)
    : form(form5),
      SG_FIELD(oppathappdata), SG_FIELD(oppathlocalappdata), SG_FIELD(oppathcustom),
      SG_FIELD(txtdefapp), SG_FIELD(txtdeflocalapp), SG_FIELD(customsavepath),
      SG_FIELD(worldfolderalpha), SG_FIELD(worldfoldernosnooping), SG_FIELD(worldnameempty),
      SG_FIELD(worldnamenosnooping), SG_FIELD(worldnamenoparsing),
      SG_FIELD(worldnamenoserverprefix), SG_FIELD(custompathnoloading),
      SG_FIELD(custompathnosaving), SG_FIELD(custompathlist), SG_FIELD(currentlyloading),
      SG_FIELD(combomapformat), SG_FIELD(comboverbosity), SG_FIELD(checkdisablelogging),
      SG_FIELD(checkdisablepostprocessor), SG_FIELD(txtoutputfile),
      SG_FIELD(checksurpressstacking), SG_FIELD(checksurpressdeletion),
      SG_FIELD(checksurpressautomirroring), SG_FIELD(checkmirror), SG_FIELD(combomirroring),
      SG_FIELD(combobackground), SG_FIELD(comborotation) {}

#undef SG_FIELD

forms::Form* settingsDialog(const forms::Registry& registry) { return registry.find("Form5"); }

bool settingOn(const forms::Registry& registry, std::string_view checkbox) {
  forms::Form* f = settingsDialog(registry);
  if (!f) return false;
  forms::Control* c = f->find(checkbox);
  return c && c->value() == 1;
}

void copyAdvancedOptions(forms::Form& form1, InterfaceSettings& s) {
  auto index = [&](forms::Control& mirror) {
    mirror.setListIndex(form1.control(mirror.name()).listIndex());
  };
  auto value = [&](forms::Control& mirror) {
    mirror.setValue(form1.control(mirror.name()).value());
  };
  index(s.combomapformat);
  index(s.comboverbosity);
  value(s.checkdisablelogging);
  value(s.checkdisablepostprocessor);
  s.txtoutputfile.setText(form1.control("txtoutputfile").text());
  value(s.checksurpressstacking);
  value(s.checksurpressdeletion);
  value(s.checksurpressautomirroring);
  value(s.checkmirror);
  index(s.combomirroring);
  index(s.combobackground);
  index(s.comborotation);
}

}  // namespace sg::settings
