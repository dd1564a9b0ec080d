#include "mainwindow/system_forms.h"

#include "mainwindow/form1.h"
#include "monitor/form4.h"

namespace sg::mainwindow {

void registerSystemForms(forms::Registry& registry) {
  registry.registerForm("Form1", [](forms::Registry& r) { return std::make_unique<Form1>(r); });
  registry.registerForm("Form4", [](forms::Registry& r) { return std::make_unique<monitor::Form4>(r); });
}

}  // namespace sg::mainwindow
