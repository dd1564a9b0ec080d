// Every window of the system opens with a control window for each of its controls, showing what
// its model holds, and its layout is tidy: no two visible controls overlap unless a frame holds
// the other, nothing is cut by the window's edge, and every caption fits its control.
#include <gtest/gtest.h>

#include "support/layout_check.h"
#include "win32/wide_text.h"
#include "win32_windows.h"

namespace sg::test {
namespace {

using forms::Kind;

const std::vector<std::string> kWindows = {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6"};

bool hasCaption(Kind k) {
  return k == Kind::Label || k == Kind::CheckBox || k == Kind::OptionButton || k == Kind::CommandButton ||
         k == Kind::Frame;
}

PixelRect pixels(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The room a caption needs in its control, in pixels, with the control's own font.
SIZE captionNeeds(HWND control, const std::wstring& text, int wrapWidth) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 100000, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE) | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::vector<std::string> layoutProblems(Win32Windows& w, const std::string& name) {
  std::vector<std::string> out;
  forms::Form& f = *w.registry.find(name);
  HWND top = w.window(name).hwnd();
  RECT client{};
  GetClientRect(top, &client);
  std::vector<PlacedControl> shown;
  for (const auto& c : f.controls()) {
    if (c->kind() == Kind::Timer) continue;
    HWND h = w.window(name).controlWindow(*c);
    if (!h) {
      out.push_back(c->name() + " has no control window");
      continue;
    }
    if (!IsWindowVisible(h)) continue;
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    if (c->kind() == Kind::ComboBox) {  // the closed box, not its list
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      if (GetComboBoxInfo(h, &info)) r.bottom = r.top + (info.rcItem.bottom + info.rcItem.top);
    }
    if (!pixels(client).intersects(pixels(r))) continue;  // beyond the window's edge: never seen
    shown.push_back({c.get(), pixels(r)});
    if (!pixels(client).contains(pixels(r))) out.push_back(c->name() + " is cut by the window's edge");
    if (!hasCaption(c->kind()) || c->caption().empty()) continue;
    const std::wstring text = textOf(h);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SIZE need = captionNeeds(h, text, c->kind() == Kind::Label ? width : 0);
    const int checkRoom = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    if (c->kind() == Kind::CommandButton) need.cx += 8;
    if (c->kind() == Kind::Frame) need.cx += 16;
    if (c->kind() == Kind::CheckBox || c->kind() == Kind::OptionButton) need.cx += checkRoom;
    if (need.cx > width || (c->kind() != Kind::Frame && need.cy > height))
      out.push_back(c->name() + " \"" + c->caption() + "\" does not fit: needs " + std::to_string(need.cx) + "x" +
                    std::to_string(need.cy) + " px, has " + std::to_string(width) + "x" + std::to_string(height));
  }
  for (auto& problem : overlapProblems(f, shown)) out.push_back(problem);
  return out;
}

TEST(Win32Windows, EachControlHasItsWindowShowingItsModel) {
  Win32Windows w;
  w.open("Form1");
  for (const auto& name : kWindows) {
    forms::Form& f = w.open(name);
    EXPECT_TRUE(IsWindowVisible(w.window(name).hwnd())) << name;
    EXPECT_EQ(textOf(w.window(name).hwnd()), win32::widen(f.caption())) << name;
    for (const auto& c : f.controls()) {
      if (c->kind() == Kind::Timer) continue;
      HWND h = w.window(name).controlWindow(*c);
      ASSERT_NE(h, nullptr) << name << "." << c->name();
      EXPECT_EQ(IsWindowEnabled(h) != 0, c->enabled()) << name << "." << c->name();
      if (hasCaption(c->kind())) {
        EXPECT_EQ(textOf(h), win32::withLineBreaks(win32::widen(c->caption()))) << name << "." << c->name();
      }
      if (c->kind() == Kind::TextBox) {
        EXPECT_EQ(textOf(h), win32::widen(c->text())) << name << "." << c->name();
      }
    }
  }
}

TEST(Win32Windows, LayoutsAreTidyInEveryState) {
  Win32Windows w;
  w.open("Form1");
  for (const auto& name : kWindows) {
    w.open(name);
    auto problems = layoutProblems(w, name);
    EXPECT_EQ(problems, std::vector<std::string>{}) << name << joined(problems);
  }
  forms::Form& f1 = *w.registry.find("Form1");
  f1.control("Command6").userClick();
  settle();
  auto problems = layoutProblems(w, "Form1");
  EXPECT_EQ(problems, std::vector<std::string>{}) << "wide" << joined(problems);
  for (const char* panel : {"toggleI", "toggleL", "toggleR"}) {
    f1.control(panel).userClick();
    settle();
    problems = layoutProblems(w, "Form1");
    EXPECT_EQ(problems, std::vector<std::string>{}) << panel << joined(problems);
    f1.control(panel).userClick();
  }
  f1.control("Label14").fire(forms::Event::DblClick);
  settle();
  problems = layoutProblems(w, "Form1");
  EXPECT_EQ(problems, std::vector<std::string>{}) << "title double-click" << joined(problems);
}

// The log window's labels change as the job goes: the longest texts they take are shown whole,
// on one line, beside each other.
TEST(Win32Windows, TheLogWindowsChangingTextsFitAsTheJobGoes) {
  Win32Windows w;
  w.open("Form1");
  w.open("Form4");
  for (const auto& [name, text] : std::vector<std::pair<const char*, const char*>>{
           {"lbltask", "Task 100 of 100 completed at 23:59:59"},
           {"lblpercentagetask", "(Current task: 100%)"},
           {"lblpercentage", "100%"}})
    w.registry.find("Form4")->control(name).setCaption(text);
  settle();
  auto problems = layoutProblems(w, "Form4");
  EXPECT_EQ(problems, std::vector<std::string>{}) << joined(problems);
}

}  // namespace
}  // namespace sg::test
