// Test support for the native windows: a registry of the system's windows realized with the
// Win32 controls, with scripted services, and a way to let the windows' messages run.
#pragma once
#include <windows.h>

#include <string>

#include "forms/registry.h"
#include "mainwindow/system_forms.h"
#include "support/test_services.h"
#include "win32/realization.h"

namespace sg::test {

// Dispatches the messages waiting for the program's windows.
void settle();

struct Win32Windows {
  TestServices svc;
  forms::Registry registry{svc.services};
  win32::Win32Realization realization{registry};

  Win32Windows() { mainwindow::registerSystemForms(registry); }
  ~Win32Windows() { settle(); }

  forms::Form& open(const std::string& name);
  win32::FormWindow& window(const std::string& form);
  HWND hwnd(const std::string& form, const std::string& control);
  forms::Control& c(const std::string& form, const std::string& control) {
    return registry.find(form)->control(control);
  }
};

std::wstring textOf(HWND hwnd);

}  // namespace sg::test
