// The binders of labels, check boxes, option buttons, buttons, frames, the progress bar and
// timers.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "win32/binder.h"
#include "win32/form_window.h"
#include "win32/wide_text.h"

namespace sg::win32 {
namespace {

using forms::Event;
using forms::Kind;
using forms::Prop;

class LabelBinder : public Binder {
 public:
  LabelBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(L"STATIC", SS_LEFT | SS_NOTIFY, 0, parent, id);
  }
  // A double click arrives as STN_CLICKED for the first press and STN_DBLCLK for the second.
  void command(WORD code) override {
    if (code == STN_CLICKED) fromUser([](forms::Control& c) { c.fire(Event::Click); });
    else if (code == STN_DBLCLK) fromUser([](forms::Control& c) { c.fire(Event::DblClick); });
  }
  bool tabStop() const override { return false; }

 protected:
  void show(Prop p) override {
    if (p == Prop::Caption) setWindowText(withLineBreaks(decoded(control()->caption())));
  }
};

// Check boxes and option buttons: the click goes to the model, which decides the new value (a
// greyed box unchecks; an option clears the others of its frame); the control then shows it.
class CheckBinder : public Binder {
 public:
  CheckBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(L"BUTTON", (c.kind() == Kind::CheckBox ? BS_3STATE : BS_RADIOBUTTON) | WS_TABSTOP, 0, parent, id);
  }
  void command(WORD code) override {
    if (code != BN_CLICKED) return;
    fromUser([](forms::Control& c) { c.userClick(); });
    if (control()) modelChanged(Prop::Value);
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    if (p == Prop::Caption) setWindowText(decoded(c.caption()));
    if (p != Prop::Value) return;
    WPARAM state = c.value() == 1 ? BST_CHECKED : c.value() == 2 && c.kind() == Kind::CheckBox ? BST_INDETERMINATE
                                                                                               : BST_UNCHECKED;
    SendMessageW(hwnd_, BM_SETCHECK, state, 0);
  }
};

class CommandBinder : public Binder {
 public:
  CommandBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, parent, id);
  }
  void command(WORD code) override {
    if (code == BN_CLICKED) fromUser([](forms::Control& c) { c.userClick(); });
  }

 protected:
  void show(Prop p) override {
    if (p == Prop::Caption) setWindowText(decoded(control()->caption()));
    else if (p == Prop::Default)
      SendMessageW(hwnd_, BM_SETSTYLE, control()->isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
};

// A frame is a group box that holds its children; it passes their notifications up.
class FrameBinder : public Binder {
 public:
  FrameBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, parent, id);
    if (hwnd_) SetWindowSubclass(hwnd_, frameForwarding, 1, 0);
  }
  bool tabStop() const override { return false; }

 protected:
  void show(Prop p) override {
    if (p == Prop::Caption) setWindowText(decoded(control()->caption()));
  }
};

class ProgressBinder : public Binder {
 public:
  ProgressBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(PROGRESS_CLASSW, 0, 0, parent, id);
    if (!hwnd_) return;
    SendMessageW(hwnd_, PBM_SETRANGE32, 0, 100);
    // A progress bar shows no text: the time left is its tooltip.
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    if (tip_) {
      TOOLINFOW info = toolInfo();
      SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  ~ProgressBinder() override {
    if (tip_) DestroyWindow(tip_);
  }
  bool tabStop() const override { return false; }

 protected:
  void show(Prop p) override {
    if (p == Prop::Value) SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(control()->value()), 0);
    if (p == Prop::Caption && tip_) {
      text_ = decoded(control()->caption());
      TOOLINFOW info = toolInfo();
      SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
      SendMessageW(tip_, TTM_ACTIVATE, text_.empty() ? FALSE : TRUE, 0);
    }
  }

 private:
  TOOLINFOW toolInfo() {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(hwnd_);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    info.lpszText = const_cast<wchar_t*>(text_.c_str());
    return info;
  }

  HWND tip_ = nullptr;
  std::wstring text_;
};

// A timer has no control of its own; the window's timer of the same id ticks it.
class TimerBinder : public Binder {
 public:
  TimerBinder(forms::Control& c, FormWindow& w) : Binder(c, w) {}
  void timerFired() override {
    fromUser([](forms::Control& c) { c.tick(); });
  }
  bool tabStop() const override { return false; }

 protected:
  void show(Prop p) override {
    if (p != Prop::Timer) return;
    forms::Control& c = *control();
    window_.setTimer(*this, c.timerEnabled() && c.interval() > 0, static_cast<UINT>(c.interval()));
  }
};

}  // namespace

std::unique_ptr<Binder> makeBinder(forms::Control& control, FormWindow& window, HWND parent, int id) {
  switch (control.kind()) {
    case Kind::Label: return std::make_unique<LabelBinder>(control, window, parent, id);
    case Kind::CheckBox:
    case Kind::OptionButton: return std::make_unique<CheckBinder>(control, window, parent, id);
    case Kind::CommandButton: return std::make_unique<CommandBinder>(control, window, parent, id);
    case Kind::Frame: return std::make_unique<FrameBinder>(control, window, parent, id);
    case Kind::ProgressBar: return std::make_unique<ProgressBinder>(control, window, parent, id);
    case Kind::Timer: return std::make_unique<TimerBinder>(control, window);
    case Kind::TextBox:
    case Kind::ComboBox: return makeTextBinder(control, window, parent, id);
    case Kind::ListBox: return makeListBinder(control, window, parent, id);
    case Kind::Picture: return makePictureBinder(control, window, parent, id);
  }
  return nullptr;
}

}  // namespace sg::win32
