#include "win32/win32_dialogs.h"

#include "win32/wide_text.h"

namespace sg::win32 {

platform::Answer Win32Dialogs::message(const std::string& text, const std::string& title, platform::Icon icon,
                                       platform::Buttons buttons) {
  UINT style = buttons == platform::Buttons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case platform::Icon::Exclamation: style |= MB_ICONEXCLAMATION; break;
    case platform::Icon::Error: style |= MB_ICONERROR; break;
    case platform::Icon::Information: style |= MB_ICONINFORMATION; break;
    case platform::Icon::Question: style |= MB_ICONQUESTION; break;
    case platform::Icon::None: break;
  }
  HWND owner = owner_ ? owner_() : GetActiveWindow();
  ++depth_;
  int pressed = MessageBoxW(owner, withLineBreaks(widen(text)).c_str(), widen(title).c_str(), style | MB_SETFOREGROUND);
  --depth_;
  if (buttons == platform::Buttons::YesNo) return pressed == IDYES ? platform::Answer::Yes : platform::Answer::No;
  return platform::Answer::OK;
}

}  // namespace sg::win32
