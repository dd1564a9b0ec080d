#include "mainwindow/system_forms.h"

#include "mainwindow/form1.h"

namespace sg::mainwindow {

void registerSystemForms(forms::Registry& registry) {
  registry.registerForm("Form1", [](forms::Registry& r) { return std::make_unique<Form1>(r); });
}

}  // namespace sg::mainwindow
