#include "win32/form_window.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>

#include "win32/wide_text.h"

namespace sg::win32 {

namespace {

const wchar_t* const kWindowClass = L"StrandvaleGWindow";
constexpr int kFirstId = 100;

UINT dpiOf(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (fn && hwnd) {
    UINT d = fn(hwnd);
    if (d) return d;
  }
  HDC dc = GetDC(nullptr);
  int d = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return d > 0 ? static_cast<UINT>(d) : 96u;
}

}  // namespace

LRESULT CALLBACK frameForwarding(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(hwnd), message, w, l);
    case WM_ERASEBKGND: {
      // A panel hides what lies below it.
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(w), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default: return DefSubclassProc(hwnd, message, w, l);
  }
}

void FormWindow::registerClasses(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
}

FormWindow::FormWindow(forms::Form& form, WindowActions& actions) : form_(&form), actions_(actions) {
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"",
                          WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, CW_USEDEFAULT,
                          CW_USEDEFAULT, 100, 100, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  dpi_ = dpiOf(hwnd_);
  scale_ = measuredScale();
  // Frames first, so that their children can be made inside them, whatever the table's order.
  const auto& controls = form.controls();
  binders_.resize(controls.size());
  auto build = [&](size_t i, auto& self) -> void {
    if (binders_[i]) return;
    forms::Control& c = *controls[i];
    HWND parent = hwnd_;
    if (!c.container().empty())
      if (forms::Control* frame = form.find(c.container()); frame && frame != &c) {
        for (size_t k = 0; k < controls.size(); ++k)
          if (controls[k].get() == frame) self(k, self);
        if (HWND holder = controlWindow(*frame)) parent = holder;
      }
    binders_[i] = makeBinder(c, *this, parent, kFirstId + static_cast<int>(i));
  };
  for (size_t i = 0; i < controls.size(); ++i) build(i, build);
  // Later controls lie above earlier ones, as the table declares them.
  for (const auto& b : binders_)
    if (b && b->hwnd()) SetWindowPos(b->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (const auto& b : binders_)
    if (b) b->syncAll();
  applyTabOrder();
  showSizeAndCaption();
}

FormWindow::~FormWindow() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

LayoutScale FormWindow::measuredScale() {
  HFONT font = createWindowFont(dpi_);
  LayoutScale s = layoutScaleFor(dialogUnits(font));
  DeleteObject(font);
  return s;
}

HFONT FormWindow::fontFor(const forms::Control& c) {
  const auto key = std::make_tuple(c.charset(), c.fontSize(), c.fontBold());
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HFONT font = createWindowFont(dpi_, std::get<0>(key), std::get<1>(key), std::get<2>(key));
  fonts_[key] = font;
  return font;
}

Binder* FormWindow::binder(const forms::Control& c) const {
  for (const auto& b : binders_)
    if (b && b->control() == &c) return b.get();
  return nullptr;
}

HWND FormWindow::controlWindow(const forms::Control& c) const {
  Binder* b = binder(c);
  return b ? b->hwnd() : nullptr;
}

Binder* FormWindow::binderOfId(int id) const {
  const int i = id - kFirstId;
  return i >= 0 && i < static_cast<int>(binders_.size()) ? binders_[static_cast<size_t>(i)].get() : nullptr;
}

void FormWindow::show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void FormWindow::hide() { ShowWindow(hwnd_, SW_HIDE); }

void FormWindow::detach() {
  form_ = nullptr;
  for (const auto& b : binders_)
    if (b) b->detach();
}

void FormWindow::showSizeAndCaption() {
  if (!form_) return;
  SetWindowTextW(hwnd_, widen(form_->caption()).c_str());
  // The form's width and height are the outer size, frame and title bar included.
  SetWindowPos(hwnd_, nullptr, 0, 0, std::max(1, scale_.toPixelsX(form_->width())),
               std::max(1, scale_.toPixelsY(form_->height())), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyTabOrder() {
  if (!form_) return;
  tabOrder_.clear();
  for (forms::Control* c : form_->tabOrder()) {
    Binder* b = binder(*c);
    if (b && b->hwnd() && b->tabStop()) tabOrder_.push_back(b->hwnd());
  }
}

bool FormWindow::moveFocus(bool backwards) {
  // Tab follows the model's tab positions, not the stacking of the controls.
  if (tabOrder_.empty()) return false;
  HWND focus = GetFocus();
  while (focus && GetParent(focus) && std::find(tabOrder_.begin(), tabOrder_.end(), focus) == tabOrder_.end())
    focus = GetParent(focus);  // the edit field inside a drop-down
  auto at = std::find(tabOrder_.begin(), tabOrder_.end(), focus);
  const int n = static_cast<int>(tabOrder_.size());
  int i = at == tabOrder_.end() ? (backwards ? 0 : -1) : static_cast<int>(at - tabOrder_.begin());
  for (int step = 0; step < n; ++step) {
    i = (i + (backwards ? n - 1 : 1)) % n;
    HWND candidate = tabOrder_[static_cast<size_t>(i)];
    if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
      SetFocus(candidate);
      if (SendMessageW(candidate, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(candidate, EM_SETSEL, 0, -1);
      return true;
    }
  }
  return false;
}

void FormWindow::setTimer(const Binder& b, bool on, UINT ms) {
  for (size_t i = 0; i < binders_.size(); ++i) {
    if (binders_[i].get() != &b) continue;
    const UINT_PTR id = kFirstId + i;
    if (on) SetTimer(hwnd_, id, ms, nullptr);
    else KillTimer(hwnd_, id);
  }
}

void FormWindow::dpiChanged(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  for (auto& [key, font] : fonts_) DeleteObject(font);
  fonts_.clear();
  scale_ = measuredScale();
  for (const auto& b : binders_)
    if (b && b->hwnd() && b->control()) {
      SendMessageW(b->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(*b->control())), TRUE);
      b->place();
    }
  if (suggested) SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  showSizeAndCaption();
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->hwnd_) return DefWindowProcW(hwnd, message, w, l);
  return self->handle(message, w, l);
}

LRESULT FormWindow::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (l) {
        if (Binder* b = binderOfId(LOWORD(w))) b->command(HIWORD(w));
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (Binder* b = binderOfId(static_cast<int>(reinterpret_cast<NMHDR*>(l)->idFrom)))
        return b->notify(reinterpret_cast<NMHDR*>(l));
      return 0;
    case WM_TIMER:
      if (Binder* b = binderOfId(static_cast<int>(w))) b->timerFired();
      return 0;
    case DM_GETDEFID:
      // Enter presses the window's default button.
      for (size_t i = 0; i < binders_.size(); ++i)
        if (binders_[i] && binders_[i]->control() && binders_[i]->control()->isDefault() &&
            IsWindowVisible(binders_[i]->hwnd()) && IsWindowEnabled(binders_[i]->hwnd()))
          return MAKELRESULT(kFirstId + i, DC_HASDEFID);
      return 0;
    case WM_CLOSE:
      // The window's own rules decide whether it hides, unloads or ends the program.
      if (form_) actions_.closeBox(*form_);
      return 0;
    case 0x02E0:  // WM_DPICHANGED
      dpiChanged(HIWORD(w), reinterpret_cast<RECT*>(l));
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, w, l);
}

}  // namespace sg::win32
