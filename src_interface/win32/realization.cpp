#include "win32/realization.h"

#include "win32/win32_dialogs.h"

namespace sg::win32 {

namespace {
const wchar_t* const kMessageClass = L"StrandvaleGMessages";
constexpr UINT kCollect = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 1;
}  // namespace

Win32Realization::Win32Realization(forms::Registry& registry, const Win32Dialogs* dialogs)
    : RealizationCore(registry, dialogs) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  FormWindow::registerClasses(instance);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = messageProc;
  wc.hInstance = instance;
  wc.lpszClassName = kMessageClass;
  RegisterClassExW(&wc);
  messages_ = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  SetWindowLongPtrW(messages_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  attach();
  // Windows shown before the realization existed get their controls now.
  for (forms::Form* f : registry_.loadedForms())
    if (f->visible()) formShown(*f);
}

Win32Realization::~Win32Realization() {
  release();
  if (messages_) DestroyWindow(messages_);
}

std::vector<HWND> Win32Realization::windows() const {
  std::vector<HWND> all;
  for (const auto& [form, w] : realized()) all.push_back(w->hwnd());
  return all;
}

// Windows are made when first shown: the program loads several that stay hidden (settings held
// for the others, translations), and making controls is the slow part of starting.
void Win32Realization::formLoaded(forms::Form&) {}

void Win32Realization::formShown(forms::Form& f) {
  build(f);
  if (FormWindow* w = window(f)) w->show();
}

std::unique_ptr<FormWindow> Win32Realization::makeWindow(forms::Form& form) {
  return std::make_unique<FormWindow>(form, *this);
}

void Win32Realization::collectLater() {
  if (messages_) PostMessageW(messages_, kCollect, 0, 0);
}

void Win32Realization::retryCollectLater() { SetTimer(messages_, kRetryTimer, 10, nullptr); }


void Win32Realization::quit() {
  ended_ = true;
  PostQuitMessage(0);
}

LRESULT CALLBACK Win32Realization::messageProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<Win32Realization*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message == kCollect) {
    self->collect();
    return 0;
  }
  if (self && message == WM_TIMER && w == kRetryTimer) {
    KillTimer(hwnd, kRetryTimer);
    self->collectSoon();
    return 0;
  }
  return DefWindowProcW(hwnd, message, w, l);
}

bool Win32Realization::tabbed(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  for (const auto& [form, w] : realized())
    if (w->hwnd() == top) return w->moveFocus(GetKeyState(VK_SHIFT) < 0);
  return false;
}

int Win32Realization::run() {
  MSG msg;
  while (!ended_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab follows the model's tab order; Enter, Escape and the arrow keys work as in any dialog.
    if (tabbed(msg)) continue;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (top && IsDialogMessageW(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace sg::win32
