// Test support for the real windows: one QApplication for the test program, and a registry of
// the system's windows realized with Qt, with scripted services.
#pragma once
#include <QCoreApplication>
#include <QWidget>
#include <string>

#include "forms/registry.h"
#include "mainwindow/form1.h"
#include "mainwindow/system_forms.h"
#include "qt/realization.h"
#include "support/probe_form.h"
#include "support/test_services.h"

namespace sg::test {

// Runs posted events, deferred calls and deferred deletions.
void settle();

struct QtWindows {
  TestServices svc;
  forms::Registry registry{svc.services};
  qt::QtRealization realization{registry};

  QtWindows() { mainwindow::registerSystemForms(registry); }
  ~QtWindows();

  // Loads and shows a window as the program does with the main window.
  forms::Form& open(const std::string& name);
  qt::FormWindow& window(const std::string& form);
  template <class W>
  W& widget(const std::string& form, const std::string& control) {
    QWidget* w = realization.widget(form, control);
    if (!w) throw std::out_of_range("no widget " + form + "." + control);
    auto* typed = qobject_cast<W*>(w);
    if (!typed) throw std::out_of_range("widget of another kind: " + form + "." + control);
    return *typed;
  }
  forms::Control& c(const std::string& form, const std::string& control) {
    return registry.find(form)->control(control);
  }
};

}  // namespace sg::test
