// What the native windows do beyond their controls: the close box follows each window's rules,
// message boxes show the system's text, icon and buttons and return the button pressed, and a
// translated control shows its caption in its own character set.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win32/wide_text.h"
#include "win32/win32_dialogs.h"
#include "win32_windows.h"

namespace sg::test {
namespace {

TEST(Win32WindowRules, TheCloseBoxHidesTheSettingsAndEndsTheProgramFromTheMainWindow) {
  Win32Windows w;
  w.open("Form1");
  w.open("Form5");
  HWND settings = w.window("Form5").hwnd();
  SendMessageW(settings, WM_CLOSE, 0, 0);
  settle();
  EXPECT_TRUE(IsWindow(settings));
  EXPECT_FALSE(IsWindowVisible(settings));
  EXPECT_FALSE(w.registry.ended());
  w.open("Form5");
  EXPECT_EQ(w.window("Form5").hwnd(), settings);  // shown again, not made again
  EXPECT_TRUE(IsWindowVisible(settings));

  SendMessageW(w.window("Form1").hwnd(), WM_CLOSE, 0, 0);
  settle();
  EXPECT_TRUE(w.registry.ended());
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) || w.registry.ended());
}

// Finds the process's message box with the given title and presses a button of it; what the
// box said comes back.
struct BoxPresser {
  BoxPresser(std::wstring t, int b) : title(std::move(t)), button(b) {}
  std::wstring title;
  int button;
  std::wstring text;
  std::atomic<bool> pressed{false};
  std::thread thread;

  void start() {
    thread = std::thread([this] {
      for (int i = 0; i < 500 && !pressed; ++i) {
        if (HWND box = FindWindowW(L"#32770", title.c_str())) {
          wchar_t said[512] = {};
          GetDlgItemTextW(box, 0xFFFF, said, 512);
          text = said;
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          pressed = true;
          return;
        }
        Sleep(20);
      }
    });
  }
  ~BoxPresser() {
    if (thread.joinable()) thread.join();
  }
};

TEST(Win32WindowRules, MessageBoxesShowTheTextAndReturnTheButtonPressed) {
  win32::Win32Dialogs dialogs;
  {
    BoxPresser press{L"Question box", IDNO};
    press.start();
    EXPECT_EQ(dialogs.message("Delete it?\rAre you sure?", "Question box", platform::Icon::Exclamation,
                              platform::Buttons::YesNo),
              platform::Answer::No);
    press.thread.join();
    EXPECT_TRUE(press.pressed);
    EXPECT_EQ(press.text, L"Delete it?\r\nAre you sure?");
  }
  {
    BoxPresser press{L"Fine box", IDYES};
    press.start();
    EXPECT_EQ(dialogs.message("Yes it is", "Fine box", platform::Icon::Error, platform::Buttons::YesNo),
              platform::Answer::Yes);
  }
  EXPECT_FALSE(dialogs.open());
}

TEST(Win32WindowRules, ACaptionIsShownInItsControlsCharacterSet) {
  Win32Windows w;
  w.open("Form1");
  forms::Control& label = w.c("Form1", "Label1");
  label.setCaption("\xCF\xF0\xE8");  // in windows-1251
  label.setCharset(204);             // the Cyrillic character set
  settle();
  EXPECT_EQ(textOf(w.hwnd("Form1", "Label1")), L"\u041F\u0440\u0438");
  label.setCharset(0);
  settle();
  EXPECT_EQ(textOf(w.hwnd("Form1", "Label1")), win32::widen("\xCF\xF0\xE8"));  // the system's own code page
}

}  // namespace
}  // namespace sg::test
