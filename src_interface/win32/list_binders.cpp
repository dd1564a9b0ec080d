// The binders of list boxes: a plain list box, and a list view with a check box per item.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>

#include "win32/binder.h"
#include "win32/form_window.h"

namespace sg::win32 {
namespace {

using forms::Event;
using forms::Prop;
using forms::Style;

class ListBinder : public Binder {
 public:
  ListBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, parent, id);
  }
  void command(WORD code) override {
    if (code == LBN_SELCHANGE) {
      const int row = static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
      fromUser([&](forms::Control& c) {
        if (row >= -1 && row < c.listCount()) c.setListIndex(row);
      });
      if (control()) modelChanged(Prop::ListIndex);
    } else if (code == LBN_DBLCLK) {
      fromUser([](forms::Control& c) { c.fire(Event::DblClick); });
    }
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    if (p == Prop::Items) {
      const int count = static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
      const int top = static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
      // A log that was showing its end keeps following its newest line.
      const bool atEnd = count == 0 || lastVisible() >= count - 1;
      SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
      showListItems(count, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_ADDSTRING});
      SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
      if (c.listIndex() < 0 && atEnd && c.listCount() > 0) SendMessageW(hwnd_, LB_SETTOPINDEX, c.listCount() - 1, 0);
      else if (c.listIndex() < 0) SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
      SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(hwnd_, nullptr, TRUE);
    } else if (p == Prop::ListIndex) {
      SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
    }
  }

 private:
  int lastVisible() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    const int itemHeight = std::max<int>(1, static_cast<int>(SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0)));
    const int top = static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
    return top + (r.bottom - r.top) / itemHeight - 1;
  }
};

// A list with a check box per item: a one-column list view with check boxes.
class CheckListBinder : public Binder {
 public:
  CheckListBinder(forms::Control& c, FormWindow& w, HWND parent, int id) : Binder(c, w) {
    create(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
           WS_EX_CLIENTEDGE, parent, id);
    if (!hwnd_) return;
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(hwnd_, 0, &column);
  }
  LRESULT notify(NMHDR* header) override {
    if (header->code != LVN_ITEMCHANGED || echoing()) return 0;
    auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE) || change->iItem < 0) return 0;
    const int row = change->iItem;
    if ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) {
      const bool ticked = ListView_GetCheckState(hwnd_, row) != 0;
      fromUser([&](forms::Control& c) {
        if (row < c.listCount()) c.setSelected(row, ticked);
      });
      if (control()) modelChanged(Prop::Selected);
    }
    if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
      fromUser([&](forms::Control& c) {
        if (row < c.listCount()) c.setListIndex(row);
      });
    }
    return 0;
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    switch (p) {
      case Prop::Items: {
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        const auto insert = [&](int i) {
          std::wstring text = decoded(c.list(i));
          LVITEMW item{};
          item.mask = LVIF_TEXT;
          item.iItem = i;
          item.pszText = text.data();
          ListView_InsertItem(hwnd_, &item);
          ListView_SetCheckState(hwnd_, i, c.selected(i));
        };
        showItems(
            ListView_GetItemCount(hwnd_),
            [&](int i) {
              std::wstring text = decoded(c.list(i));
              ListView_SetItemText(hwnd_, i, 0, text.data());
            },
            insert, [&](int i) { ListView_DeleteItem(hwnd_, i); },
            [&] {
              ListView_DeleteAllItems(hwnd_);
              for (int i = 0; i < c.listCount(); ++i) insert(i);
            });
        SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        resized();  // the column takes the room the vertical scroll bar leaves
        showIndex();
        break;
      }
      case Prop::Selected:
        for (int i = 0; i < c.listCount(); ++i)
          if ((ListView_GetCheckState(hwnd_, i) != 0) != c.selected(i)) ListView_SetCheckState(hwnd_, i, c.selected(i));
        break;
      case Prop::ListIndex: showIndex(); break;
      default: break;
    }
  }

 private:
  void resized() override {
    RECT r{};
    GetClientRect(hwnd_, &r);
    ListView_SetColumnWidth(hwnd_, 0, r.right - r.left);
  }
  void showIndex() {
    const int index = control()->listIndex();
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0) {
      ListView_SetItemState(hwnd_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(hwnd_, index, FALSE);
    }
  }
};

}  // namespace

std::unique_ptr<Binder> makeListBinder(forms::Control& control, FormWindow& window, HWND parent, int id) {
  if (control.style() == Style::Checkbox) return std::make_unique<CheckListBinder>(control, window, parent, id);
  return std::make_unique<ListBinder>(control, window, parent, id);
}

}  // namespace sg::win32
