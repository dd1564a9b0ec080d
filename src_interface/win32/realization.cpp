#include "win32/realization.h"

#include "win32/win32_dialogs.h"

namespace sg::win32 {

namespace {
const wchar_t* const kMessageClass = L"StrandvaleGMessages";
constexpr UINT kCollect = WM_APP + 1;
constexpr UINT_PTR kRetryTimer = 1;
}  // namespace

Win32Realization::Win32Realization(forms::Registry& registry, const Win32Dialogs* dialogs)
    : registry_(registry), dialogs_(dialogs) {
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
  registry_.addObserver(this);
  // Windows shown before the realization existed get their controls now.
  for (forms::Form* f : registry_.loadedForms())
    if (f->visible()) formShown(*f);
}

Win32Realization::~Win32Realization() {
  registry_.removeObserver(this);
  for (auto& [form, w] : windows_) w->detach();
  windows_.clear();
  dropped_.clear();
  if (messages_) DestroyWindow(messages_);
}

FormWindow* Win32Realization::window(const forms::Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

FormWindow* Win32Realization::window(const std::string& formName) const {
  forms::Form* f = registry_.find(formName);
  return f ? window(*f) : nullptr;
}

std::vector<HWND> Win32Realization::windows() const {
  std::vector<HWND> all;
  for (const auto& [form, w] : windows_) all.push_back(w->hwnd());
  return all;
}

// Windows are made when first shown: the program loads several that stay hidden (settings held
// for the others, translations), and making controls is the slow part of starting.
void Win32Realization::formLoaded(forms::Form&) {}

void Win32Realization::build(forms::Form& f) {
  if (window(f)) return;
  auto w = std::make_unique<FormWindow>(f, *this);
  for (const auto& b : w->binders())
    if (b) binders_[b->control()] = b.get();
  windows_[&f] = std::move(w);
}

void Win32Realization::dropWindow(forms::Form& f) {
  auto it = windows_.find(&f);
  if (it == windows_.end()) return;
  for (const auto& b : it->second->binders())
    if (b) binders_.erase(b->control());
  it->second->detach();
  it->second->hide();
  // A handler of this very window may still be on the stack: the window goes once none runs.
  dropped_.push_back(std::move(it->second));
  windows_.erase(it);
  collectSoon();
}

void Win32Realization::formUnloading(forms::Form& f) { dropWindow(f); }

void Win32Realization::formShown(forms::Form& f) {
  build(f);
  if (FormWindow* w = window(f)) w->show();
}

void Win32Realization::formHidden(forms::Form& f) {
  if (FormWindow* w = window(f)) w->hide();
}

void Win32Realization::formChanged(forms::Form& f) {
  if (FormWindow* w = window(f)) w->showSizeAndCaption();
}

void Win32Realization::controlChanged(forms::Control& c, forms::Prop p) {
  // Controls of a window still being made have no binder yet; the builder reads them whole.
  auto it = binders_.find(&c);
  if (it == binders_.end()) return;
  if (p == forms::Prop::TabIndex) {
    if (FormWindow* w = window(c.form())) w->applyTabOrder();
    return;
  }
  it->second->modelChanged(p);
}

void Win32Realization::programEnded() {
  for (auto& [form, w] : windows_) {
    w->detach();
    w->hide();
  }
  binders_.clear();
  ended_ = true;
  PostQuitMessage(0);
}

void Win32Realization::closeBox(forms::Form& form) {
  registry_.close(form);
  userActionDone();
}

void Win32Realization::userActionDone() { collectSoon(); }

void Win32Realization::collectSoon() {
  if (collectPending_ || !messages_) return;
  collectPending_ = true;
  PostMessageW(messages_, kCollect, 0, 0);
}

void Win32Realization::collect() {
  collectPending_ = false;
  // A box's own message loop runs underneath a handler; wait until the handler has returned.
  if (dialogs_ && dialogs_->open()) {
    SetTimer(messages_, kRetryTimer, 10, nullptr);
    return;
  }
  dropped_.clear();
  registry_.collect();
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
  for (auto& [form, w] : windows_)
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
