// The binders of text boxes and drop-downs (a list only, or a list with an edit field).
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "win32/binder.h"
#include "win32/form_window.h"

namespace sg::win32 {
namespace {

using forms::Event;
using forms::Kind;
using forms::Prop;
using forms::Style;

class TextBinder : public Binder {
 public:
  TextBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    // A box taller than two lines holds several.
    const bool multiline = c.height() > 2 * 285;
    create(L"EDIT", WS_TABSTOP | (multiline ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL),
           WS_EX_CLIENTEDGE, parent, id);
  }
  void command(WORD code) override {
    if (code == EN_CHANGE) {
      const std::string typed = encoded(windowText());
      fromUser([&](forms::Control& c) { c.setText(typed); });
      // A handler may have refused or changed the text: the box shows the model's.
      if (control() && !echoing()) {
        Echo echo(*this);
        putText(decoded(control()->text()));
      }
    } else if (code == EN_KILLFOCUS) {
      fromUser([](forms::Control& c) { c.fire(Event::LostFocus); });
    }
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    if (p == Prop::Text) putText(decoded(c.text()));
    else if (p == Prop::Locked) SendMessageW(hwnd_, EM_SETREADONLY, c.locked(), 0);
  }

 private:
  // Keeps the caret where it was when the text is the one being typed.
  void putText(const std::wstring& text) {
    if (windowText() == text) return;
    DWORD start = 0, end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetWindowTextW(hwnd_, text.c_str());
    SendMessageW(hwnd_, EM_SETSEL, start, end);
  }
};

class ComboBinder : public Binder {
 public:
  ComboBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    const bool editable = c.style() != Style::DropDownList;
    create(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST), 0,
           parent, id);
  }
  void command(WORD code) override {
    if (code == CBN_SELCHANGE) {
      picked(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    } else if (code == CBN_EDITCHANGE) {
      const std::string typed = encoded(windowText());
      fromUser([&](forms::Control& c) { c.setText(typed); });
    } else if (code == CBN_KILLFOCUS) {
      fromUser([](forms::Control& c) { c.fire(Event::LostFocus); });
    }
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    switch (p) {
      case Prop::Items: {
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        showListItems(static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)),
                      {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_ADDSTRING});
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        showIndex();
        break;
      }
      case Prop::ListIndex: showIndex(); break;
      case Prop::Text:
        if (c.hasEditField()) setWindowText(decoded(c.text()));
        break;
      default: break;
    }
  }

 private:
  void showIndex() {
    forms::Control& c = *control();
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
    if (c.hasEditField()) setWindowText(decoded(c.text()));
  }
  void picked(int i) {
    fromUser([&](forms::Control& c) {
      if (i < 0 || i >= c.listCount()) return;
      c.setListIndex(i);
      // Picking the item that is already selected, after typing over it, brings its text back.
      if (c.hasEditField() && c.listIndex() == i && c.text() != c.list(i)) c.setText(c.list(i));
    });
    // The list shows the model's choice even when a handler refused or changed the pick.
    if (control()) {
      Echo echo(*this);
      showIndex();
    }
  }
};

}  // namespace

std::unique_ptr<Binder> makeTextBinder(forms::Control& control, FormWindow& window, HWND parent, int id) {
  if (control.kind() == Kind::ComboBox) return std::make_unique<ComboBinder>(control, window, parent, id);
  return std::make_unique<TextBinder>(control, window, parent, id);
}

}  // namespace sg::win32
