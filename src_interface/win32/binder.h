// A binder keeps one Win32 control and its model control in step in both directions
// (realize/binder_core.h); this part calls the Win32 API: the common properties of a control's
// window, its font, and the texts converted from the control's character set.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "forms/control.h"
#include "realize/binder_core.h"
#include "realize/window_actions.h"

namespace sg::win32 {

using realize::WindowActions;

class FormWindow;

class Binder : public realize::BinderCore {
 public:
  Binder(forms::Control& control, FormWindow& window);
  ~Binder() override;

  // The control's window (null for timers).
  HWND hwnd() const { return hwnd_; }
  // Places the control again (after the window's DPI changed).
  void place() override;

  // Notifications: WM_COMMAND codes, WM_NOTIFY, and the window's timer for a Timer control.
  virtual void command(WORD /*code*/) {}
  virtual LRESULT notify(NMHDR* /*header*/) { return 0; }
  virtual void timerFired() {}
  // Whether the dialog manager's Tab stops at this control.
  virtual bool tabStop() const { return true; }

 protected:
  // Called after the control was given a new size.
  virtual void resized() {}
  // Makes the control's window: class, styles, parent (the form's window or a frame).
  void create(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int id);

  std::wstring decoded(const std::string& bytes) const;

  // The messages of a list box or a combo box that change its items.
  struct ItemMessages {
    UINT insert, remove, reset, add;
  };
  // Shows the control's items in the window, which holds `shown` now: an item changed, added or
  // removed as such, anything else by filling the list anew.
  void showListItems(int shown, const ItemMessages& m);
  std::string encoded(const std::wstring& text) const;
  std::wstring windowText() const;
  void setWindowText(const std::wstring& text);

  FormWindow& window_;
  HWND hwnd_ = nullptr;

 private:
  bool hasWidget() const override { return hwnd_ != nullptr; }
  void showEnabled(bool enabled) override;
  void showVisible(bool visible) override;
  void charsetChanged() override;
  void userActionDone() override;
};

// Makes the control's window, parented to parent, and its binder.
std::unique_ptr<Binder> makeBinder(forms::Control& control, FormWindow& window, HWND parent, int id);
std::unique_ptr<Binder> makeListBinder(forms::Control& control, FormWindow& window, HWND parent, int id);
std::unique_ptr<Binder> makeTextBinder(forms::Control& control, FormWindow& window, HWND parent, int id);
std::unique_ptr<Binder> makePictureBinder(forms::Control& control, FormWindow& window, HWND parent, int id);

}  // namespace sg::win32
