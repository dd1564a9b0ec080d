#include "win32_windows.h"

#include <commctrl.h>

#include <stdexcept>

namespace sg::test {

void settle() {
  MSG msg;
  for (int round = 0; round < 3; ++round)
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
}

forms::Form& Win32Windows::open(const std::string& name) {
  forms::Form& f = registry.get(name);
  registry.show(f);
  settle();
  return f;
}

win32::FormWindow& Win32Windows::window(const std::string& form) {
  win32::FormWindow* w = realization.window(form);
  if (!w) throw std::out_of_range("no window " + form);
  return *w;
}

HWND Win32Windows::hwnd(const std::string& form, const std::string& control) {
  HWND h = window(form).controlWindow(c(form, control));
  if (!h) throw std::out_of_range("no control window " + form + "." + control);
  return h;
}

std::wstring textOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace sg::test
