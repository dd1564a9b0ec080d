// One top-level window per loaded form: its controls at their twips positions, scaled by the
// dialog units of the window font at the window's DPI; frames hold their children; the tab
// order follows the model's tab positions; the close box goes to the window's own rules.
#pragma once
#include <windows.h>

#include <map>
#include <tuple>
#include <memory>
#include <vector>

#include "forms/form.h"
#include "win32/binder.h"
#include "win32/layout_scale.h"

namespace sg::win32 {

class FormWindow {
 public:
  FormWindow(forms::Form& form, WindowActions& actions);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  static void registerClasses(HINSTANCE instance);

  HWND hwnd() const { return hwnd_; }
  forms::Form* form() const { return form_; }
  WindowActions& actions() { return actions_; }
  const LayoutScale& scale() const { return scale_; }
  UINT dpi() const { return dpi_; }
  const std::vector<std::unique_ptr<Binder>>& binders() const { return binders_; }
  Binder* binder(const forms::Control& c) const;
  HWND controlWindow(const forms::Control& c) const;

  void show();
  void hide();
  void detach();
  void showSizeAndCaption();
  void applyTabOrder();
  void tabOrderChanged() { applyTabOrder(); }
  // Moves the focus to the next (or previous) control in the model's tab order.
  bool moveFocus(bool backwards);
  // The font of a control (its size, weight and character set), kept by the window.
  HFONT fontFor(const forms::Control& c);
  // Starts or stops the window timer of a Timer control.
  void setTimer(const Binder& b, bool on, UINT ms);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  Binder* binderOfId(int id) const;
  void dpiChanged(UINT dpi, const RECT* suggested);
  LayoutScale measuredScale();

  forms::Form* form_;
  WindowActions& actions_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  LayoutScale scale_;
  std::vector<std::unique_ptr<Binder>> binders_;
  std::map<std::tuple<int, int, bool>, HFONT> fonts_;
  std::vector<HWND> tabOrder_;
};

// The frame class: a group box that passes its children's notifications up to the window.
LRESULT CALLBACK frameForwarding(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR);

}  // namespace sg::win32
