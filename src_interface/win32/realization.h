// The native windows: listens to the registry, builds a window when a form loads, shows, hides
// and destroys it with the model, passes property changes to the binders, and ends the message
// loop when the program ends. After each user action it destroys the windows that handlers
// unloaded, at a moment when no handler runs.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/registry.h"
#include "win32/form_window.h"

namespace sg::win32 {

class Win32Dialogs;

class Win32Realization : public forms::Observer, public WindowActions {
 public:
  Win32Realization(forms::Registry& registry, const Win32Dialogs* dialogs = nullptr);
  ~Win32Realization() override;
  Win32Realization(const Win32Realization&) = delete;
  Win32Realization& operator=(const Win32Realization&) = delete;

  FormWindow* window(const forms::Form& form) const;
  FormWindow* window(const std::string& formName) const;
  // Every window of the program (for the message loop's dialog navigation).
  std::vector<HWND> windows() const;

  // forms::Observer
  void formLoaded(forms::Form& f) override;
  void formUnloading(forms::Form& f) override;
  void formShown(forms::Form& f) override;
  void formHidden(forms::Form& f) override;
  void formChanged(forms::Form& f) override;
  void controlChanged(forms::Control& c, forms::Prop p) override;
  void programEnded() override;

  // WindowActions
  void userActionDone() override;
  void closeBox(forms::Form& form) override;

  // Runs the message loop until the program ends; returns the exit code.
  int run();

 private:
  static LRESULT CALLBACK messageProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  // Moves the focus on Tab in the model's tab order; false when the message is something else.
  bool tabbed(const MSG& msg);
  void build(forms::Form& f);
  void collect();
  void collectSoon();
  void dropWindow(forms::Form& f);

  forms::Registry& registry_;
  const Win32Dialogs* dialogs_;
  HWND messages_ = nullptr;  // a message-only window for deferred work
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
  std::vector<std::unique_ptr<FormWindow>> dropped_;
  std::unordered_map<const forms::Control*, Binder*> binders_;
  bool collectPending_ = false;
  bool ended_ = false;
};

}  // namespace sg::win32
