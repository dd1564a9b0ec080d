// The native windows of the model (realize/realization_core.h does the rest): a window is made
// when its form is first shown, the deferred work runs through a message-only window, and the
// message loop keeps the model's tab order.
#pragma once
#include <windows.h>

#include <vector>

#include "forms/registry.h"
#include "realize/realization_core.h"
#include "win32/form_window.h"

namespace sg::win32 {

class Win32Dialogs;

class Win32Realization : public realize::RealizationCore<FormWindow, Win32Dialogs> {
 public:
  Win32Realization(forms::Registry& registry, const Win32Dialogs* dialogs = nullptr);
  ~Win32Realization() override;

  // Every window of the program (for the message loop's dialog navigation).
  std::vector<HWND> windows() const;

  // forms::Observer
  void formLoaded(forms::Form& f) override;
  void formShown(forms::Form& f) override;

  // Runs the message loop until the program ends; returns the exit code.
  int run();

 private:
  std::unique_ptr<FormWindow> makeWindow(forms::Form& form) override;
  void collectLater() override;
  void retryCollectLater() override;
  void quit() override;

  static LRESULT CALLBACK messageProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  // Moves the focus on Tab in the model's tab order; false when the message is something else.
  bool tabbed(const MSG& msg);

  HWND messages_ = nullptr;  // a message-only window for deferred work
  bool ended_ = false;
};

}  // namespace sg::win32
