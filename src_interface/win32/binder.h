// A binder keeps one Win32 control and its model control in step in both directions. Model
// changes are pushed into the control under an echo guard; the control's notifications become
// assignments to the model (or, for actions that are not assignments, the control's events).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "forms/control.h"

namespace sg::win32 {

class FormWindow;

class Binder {
 public:
  Binder(forms::Control& control, FormWindow& window);
  virtual ~Binder();
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  // Null once the control's window is unloading: from then on nothing reaches the model.
  forms::Control* control() const { return control_; }
  // The control's window (null for timers).
  HWND hwnd() const { return hwnd_; }
  void detach() { control_ = nullptr; }

  // Pushes a changed property into the control, or every property (right after building).
  void modelChanged(forms::Prop p);
  void syncAll();
  // Places the control again (after the window's DPI changed).
  void place();

  // Notifications: WM_COMMAND codes, WM_NOTIFY, and the window's timer for a Timer control.
  virtual void command(WORD /*code*/) {}
  virtual LRESULT notify(NMHDR* /*header*/) { return 0; }
  virtual void timerFired() {}
  // Whether the dialog manager's Tab stops at this control.
  virtual bool tabStop() const { return true; }

 protected:
  virtual void show(forms::Prop p) = 0;
  // Called after the control was given a new size.
  virtual void resized() {}
  // Makes the control's window: class, styles, parent (the form's window or a frame).
  void create(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int id);

  template <class F>
  void fromUser(F&& action) {
    if (!control_ || echo_ > 0) return;
    runGuarded(std::forward<F>(action));
    userActionDone();
  }
  bool echoing() const { return echo_ > 0; }

  class Echo {
   public:
    explicit Echo(Binder& b) : b_(b) { ++b_.echo_; }
    ~Echo() { --b_.echo_; }
   private:
    Binder& b_;
  };

  std::wstring decoded(const std::string& bytes) const;
  std::string encoded(const std::wstring& text) const;
  std::wstring windowText() const;
  void setWindowText(const std::wstring& text);

  FormWindow& window_;
  HWND hwnd_ = nullptr;

 private:
  template <class F>
  void runGuarded(F&& action) {
    try {
      action(*control_);
    } catch (const std::exception& e) {
      reportFailure(e.what());
    }
  }
  static void reportFailure(const char* what);
  void userActionDone();

  forms::Control* control_;
  int echo_ = 0;
};

// Makes the control's window, parented to parent, and its binder.
std::unique_ptr<Binder> makeBinder(forms::Control& control, FormWindow& window, HWND parent, int id);
std::unique_ptr<Binder> makeListBinder(forms::Control& control, FormWindow& window, HWND parent, int id);
std::unique_ptr<Binder> makeTextBinder(forms::Control& control, FormWindow& window, HWND parent, int id);

}  // namespace sg::win32
