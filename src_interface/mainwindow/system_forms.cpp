#include "mainwindow/system_forms.h"

#include "filters/form2.h"
#include "filters/form3.h"
#include "locale/form7.h"
#include "filters/form6.h"
#include "mainwindow/form1.h"
#include "settings/form5.h"
#include "monitor/form4.h"

namespace sg::mainwindow {

void registerSystemForms(forms::Registry& registry) {
  registry.registerForm("Form1", [](forms::Registry& r) { return std::make_unique<Form1>(r); });
  registry.registerForm("Form5", [](forms::Registry& r) { return std::make_unique<settings::Form5>(r); });
  registry.registerForm("Form6", [](forms::Registry& r) { return std::make_unique<filters::Form6>(r); });
  registry.registerForm("Form2", [](forms::Registry& r) { return std::make_unique<filters::Form2>(r); });
  registry.registerForm("Form3", [](forms::Registry& r) { return std::make_unique<filters::Form3>(r); });
  registry.registerForm("Form7", [](forms::Registry& r) { return std::make_unique<locale::Form7>(r); });
  registry.registerForm("Form4", [](forms::Registry& r) { return std::make_unique<monitor::Form4>(r); });
}

}  // namespace sg::mainwindow
