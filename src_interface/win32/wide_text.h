// Text at the boundary of the Win32 controls: the model keeps bytes in a single-byte (or ANSI)
// code page; the controls take UTF-16. A control's character-set code names the code page.
#pragma once
#include <windows.h>

#include <string>

namespace sg::win32 {

// The code page of a font character-set code (0, the ANSI character set, is the system's own).
UINT codePageOfCharset(int charset);
std::wstring widen(const std::string& bytes, UINT codePage = CP_ACP);
std::string narrow(const std::wstring& text, UINT codePage = CP_ACP);
// CR, LF and CR LF each end a line; the controls want CR LF.
std::wstring withLineBreaks(const std::wstring& text);

}  // namespace sg::win32
