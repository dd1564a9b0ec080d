#include "win32/binder.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "win32/form_window.h"
#include "win32/wide_text.h"

namespace sg::win32 {

using forms::Kind;
using forms::Prop;

Binder::Binder(forms::Control& control, FormWindow& window) : BinderCore(control), window_(window) {}

Binder::~Binder() = default;

void Binder::create(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int id) {
  // Siblings clip each other, so that what lies above (a later control, a panel) hides what
  // lies below, as the window's table stacks them.
  hwnd_ = CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 1, 1, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd_ && control()) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(window_.fontFor(*control())), FALSE);
}

std::wstring Binder::decoded(const std::string& bytes) const {
  return widen(bytes, codePageOfCharset(control() ? control()->charset() : 0));
}

std::string Binder::encoded(const std::wstring& text) const {
  return narrow(text, codePageOfCharset(control() ? control()->charset() : 0));
}

std::wstring Binder::windowText() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Binder::setWindowText(const std::wstring& text) {
  if (windowText() != text) SetWindowTextW(hwnd_, text.c_str());
}

void Binder::userActionDone() { window_.actions().userActionDone(); }

void Binder::showEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void Binder::showVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void Binder::charsetChanged() {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(window_.fontFor(*control())), TRUE);
}

void Binder::place() {
  if (!hwnd_ || !control()) return;
  realize::PixelRect r = realize::placeOf(*control(), window_.scale());
  // A drop-down's height includes its list.
  if (control()->kind() == Kind::ComboBox) r.height += MulDiv(160, static_cast<int>(window_.dpi()), 96);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
  resized();
}

void Binder::showListItems(int shown, const ItemMessages& m) {
  const forms::Control& c = *control();
  const auto insert = [&](int i) {
    SendMessageW(hwnd_, m.insert, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(decoded(c.list(i)).c_str()));
  };
  const auto remove = [&](int i) { SendMessageW(hwnd_, m.remove, static_cast<WPARAM>(i), 0); };
  showItems(
      shown,
      [&](int i) {
        remove(i);
        insert(i);
      },
      insert, remove,
      [&] {
        SendMessageW(hwnd_, m.reset, 0, 0);
        for (int i = 0; i < c.listCount(); ++i)
          SendMessageW(hwnd_, m.add, 0, reinterpret_cast<LPARAM>(decoded(c.list(i)).c_str()));
      });
}

}  // namespace sg::win32
