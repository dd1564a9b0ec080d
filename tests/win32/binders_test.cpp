// The builder and the binders on a window made for the purpose: controls where the table puts
// them, a user's actions (as the controls notify them) reaching the model once, and model
// changes reaching the controls.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/probe_form.h"
#include "win32_windows.h"

namespace sg::test {
namespace {

using forms::Event;


class Win32Binders : public ::testing::Test {
 protected:
  void SetUp() override {
    registerProbe(w.registry);
    form = &w.registry.get("Probe");
    auto& txt = form->control("txt");
    // The way the main window keeps slashes out of the map name.
    txt.on(Event::Change, [&] {
      ++change;
      txt.setText(text::removeChar(txt.text(), '/'));
    });
    form->control("lbl").on(Event::Click, [&] { ++click; });
    form->control("lbl").on(Event::DblClick, [&] { ++dbl; });
    form->control("ok").on(Event::Click, [&] { ++okClick; });
    form->control("plain").on(Event::DblClick, [&] { ++plainDbl; });
    form->control("ticks").onItem(Event::ItemCheck, [&](int i) { itemChecks.push_back(i); });
    form->control("tmr").on(Event::Timer, [&] { ++tick; });
    form->control("bye").on(Event::Click, [&] { form->unload(); });
    w.registry.show(*form);
    settle();
  }
  HWND h(const char* name) { return w.hwnd("Probe", name); }
  forms::Control& c(const char* name) { return form->control(name); }
  // What a control tells its window when the user acts on it.
  void notify(const char* name, WORD code) {
    HWND control = h(name);
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
    settle();
  }

  Win32Windows w;
  forms::Form* form = nullptr;
  int change = 0, click = 0, dbl = 0, okClick = 0, plainDbl = 0, tick = 0;
  std::vector<int> itemChecks;
};

TEST_F(Win32Binders, ControlsStandWhereTheTableSaysInsideTheirFrames) {
  const auto& s = w.window("Probe").scale();
  RECT r{};
  GetWindowRect(h("opt2"), &r);
  MapWindowPoints(nullptr, h("fra"), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, s.toPixelsX(120));
  EXPECT_EQ(r.top, s.toPixelsY(660));
  EXPECT_EQ(GetParent(h("opt2")), h("fra"));
  EXPECT_EQ(GetParent(h("opt3")), w.window("Probe").hwnd());
}

TEST_F(Win32Binders, TypingReachesTheModelOnceAnEditAndTheBoxShowsWhatTheHandlerWroteBack) {
  SendMessageW(h("txt"), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ab"));
  settle();
  EXPECT_EQ(c("txt").text(), "ab");
  EXPECT_EQ(change, 1);
  SendMessageW(h("txt"), EM_SETSEL, 1, 1);
  SendMessageW(h("txt"), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"/"));
  settle();
  EXPECT_EQ(c("txt").text(), "ab");
  EXPECT_EQ(textOf(h("txt")), L"ab");
  // A program's assignment shows in the box and is not echoed back as a user's edit.
  const int before = change;
  c("txt").setText("from/model");
  settle();
  EXPECT_EQ(textOf(h("txt")), L"frommodel");
  EXPECT_EQ(change, before + 2);  // the assignment, and the handler's own rewrite
  c("txt").setLocked(true);
  EXPECT_TRUE(GetWindowLongPtrW(h("txt"), GWL_STYLE) & ES_READONLY);
}

TEST_F(Win32Binders, CheckBoxesShowTheGreyedStateAndOptionsAreGroupedByTheirFrame) {
  SendMessageW(h("chk"), BM_CLICK, 0, 0);
  settle();
  EXPECT_EQ(c("chk").value(), 1);
  EXPECT_EQ(SendMessageW(h("chk"), BM_GETCHECK, 0, 0), BST_CHECKED);
  c("chk").setValue(2);
  EXPECT_EQ(SendMessageW(h("chk"), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  SendMessageW(h("chk"), BM_CLICK, 0, 0);
  settle();
  EXPECT_EQ(c("chk").value(), 0);
  EXPECT_EQ(SendMessageW(h("chk"), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  SendMessageW(h("opt2"), BM_CLICK, 0, 0);
  settle();
  EXPECT_EQ(c("opt1").value(), 0);
  EXPECT_EQ(c("opt2").value(), 1);
  EXPECT_EQ(c("opt3").value(), 1);  // another container
  EXPECT_EQ(SendMessageW(h("opt1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(h("opt2"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32Binders, ListsFollowPicksTicksAndAssignments) {
  SendMessageW(h("lst"), CB_SETCURSEL, 2, 0);
  notify("lst", CBN_SELCHANGE);
  EXPECT_EQ(c("lst").listIndex(), 2);
  EXPECT_EQ(c("lst").text(), "c");
  c("lst").setListIndex(1);
  EXPECT_EQ(SendMessageW(h("lst"), CB_GETCURSEL, 0, 0), 1);
  c("lst").addItem("d");
  EXPECT_EQ(SendMessageW(h("lst"), CB_GETCOUNT, 0, 0), 4);

  SendMessageW(h("plain"), LB_SETCURSEL, 1, 0);
  notify("plain", LBN_SELCHANGE);
  EXPECT_EQ(c("plain").listIndex(), 1);
  notify("plain", LBN_DBLCLK);
  EXPECT_EQ(plainDbl, 1);
  c("plain").setList(0, "changed");
  wchar_t first[32] = {};
  SendMessageW(h("plain"), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, L"changed");

  ListView_SetCheckState(h("ticks"), 1, TRUE);
  settle();
  EXPECT_TRUE(c("ticks").selected(1));
  EXPECT_EQ(itemChecks, std::vector<int>{1});
  c("ticks").setSelected(2, true);
  EXPECT_TRUE(ListView_GetCheckState(h("ticks"), 2));
  EXPECT_EQ(itemChecks, (std::vector<int>{1, 2}));  // the assignment's own event, once
}

TEST_F(Win32Binders, LabelsButtonsEnterAndTimers) {
  notify("lbl", STN_CLICKED);
  notify("lbl", STN_DBLCLK);
  EXPECT_EQ(click, 1);
  EXPECT_EQ(dbl, 1);
  // Enter presses the window's default button.
  LRESULT id = SendMessageW(w.window("Probe").hwnd(), DM_GETDEFID, 0, 0);
  ASSERT_EQ(HIWORD(id), DC_HASDEFID);
  EXPECT_EQ(GetDlgItem(w.window("Probe").hwnd(), LOWORD(id)), h("ok"));
  SendMessageW(h("ok"), BM_CLICK, 0, 0);
  settle();
  EXPECT_EQ(okClick, 1);

  c("tmr").setTimerEnabled(true);
  const DWORD until = GetTickCount() + 2000;
  while (tick < 3 && GetTickCount() < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    settle();
  }
  EXPECT_GE(tick, 3);
  c("tmr").setTimerEnabled(false);
  settle();
  const int stopped = tick;
  Sleep(100);
  settle();
  EXPECT_EQ(tick, stopped);
}

TEST_F(Win32Binders, AWindowGoesWhenItsModelUnloadsIt) {
  HWND probe = w.window("Probe").hwnd();
  SendMessageW(h("bye"), BM_CLICK, 0, 0);  // its handler unloads its own window
  settle();
  EXPECT_EQ(w.realization.window("Probe"), nullptr);
  EXPECT_FALSE(IsWindow(probe));
}

TEST_F(Win32Binders, TabFollowsTheModelsTabPositions) {
  c("ok").setTabIndex(0);
  settle();
  SetForegroundWindow(w.window("Probe").hwnd());
  SetFocus(h("txt"));
  ASSERT_TRUE(w.window("Probe").moveFocus(true));  // backwards from the second is the first
  EXPECT_EQ(GetFocus(), h("ok"));
  ASSERT_TRUE(w.window("Probe").moveFocus(false));
  EXPECT_EQ(GetFocus(), h("txt"));
}

}  // namespace
}  // namespace sg::test
