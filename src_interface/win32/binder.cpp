#include "win32/binder.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdio>

#include "win32/form_window.h"
#include "win32/wide_text.h"

namespace sg::win32 {

using forms::Kind;
using forms::Prop;

Binder::Binder(forms::Control& control, FormWindow& window) : window_(window), control_(&control) {}

Binder::~Binder() = default;

void Binder::create(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int id) {
  // Siblings clip each other, so that what lies above (a later control, a panel) hides what
  // lies below, as the window's table stacks them.
  hwnd_ = CreateWindowExW(exStyle, className, L"", style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 1, 1, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (hwnd_ && control_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(window_.fontFor(*control_)), FALSE);
}

std::wstring Binder::decoded(const std::string& bytes) const {
  return widen(bytes, codePageOfCharset(control_ ? control_->charset() : 0));
}

std::string Binder::encoded(const std::wstring& text) const {
  return narrow(text, codePageOfCharset(control_ ? control_->charset() : 0));
}

std::wstring Binder::windowText() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Binder::setWindowText(const std::wstring& text) {
  if (windowText() != text) SetWindowTextW(hwnd_, text.c_str());
}

void Binder::reportFailure(const char* what) {
  // A handler's failure must not unwind through the window procedure; the window stays usable.
  std::fprintf(stderr, "strandvale-g: %s\n", what);
}

void Binder::userActionDone() { window_.actions().userActionDone(); }

void Binder::place() {
  if (!hwnd_ || !control_) return;
  const LayoutScale& s = window_.scale();
  // Right and bottom edges are scaled too, so that controls that touch keep touching.
  int left = s.toPixelsX(control_->left()), top = s.toPixelsY(control_->top());
  int width = s.toPixelsX(control_->left() + control_->width()) - left;
  int height = s.toPixelsY(control_->top() + control_->height()) - top;
  // A drop-down's height includes its list.
  if (control_->kind() == Kind::ComboBox) height += MulDiv(160, static_cast<int>(window_.dpi()), 96);
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  resized();
}

void Binder::modelChanged(Prop p) {
  if (!control_) return;
  Echo echo(*this);
  if (hwnd_) {
    switch (p) {
      case Prop::Enabled: EnableWindow(hwnd_, control_->enabled()); return;
      case Prop::Visible: ShowWindow(hwnd_, control_->visible() ? SW_SHOWNA : SW_HIDE); return;
      case Prop::Geometry: place(); return;
      case Prop::Charset:
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(window_.fontFor(*control_)), TRUE);
        show(Prop::Caption);
        show(Prop::Items);
        show(Prop::Text);
        return;
      default: break;
    }
  }
  show(p);
}

void Binder::syncAll() {
  for (Prop p : {Prop::Geometry, Prop::Items, Prop::Caption, Prop::Text, Prop::Value, Prop::ListIndex,
                 Prop::Selected, Prop::Enabled, Prop::Locked, Prop::Default, Prop::Timer, Prop::Visible})
    modelChanged(p);
}

}  // namespace sg::win32
