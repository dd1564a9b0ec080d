#include "win32/layout_scale.h"

#include <algorithm>
#include <cmath>

namespace sg::win32 {

DialogUnits dialogUnits(HFONT font) {
  DialogUnits u;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  TEXTMETRICW metrics{};
  if (GetTextExtentPoint32W(dc, letters, 52, &size) && GetTextMetricsW(dc, &metrics)) {
    u = realize::dialogUnitsOf(size.cx, metrics.tmHeight);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return u;
}

HFONT createWindowFont(UINT dpi, int charset, int points, bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  // The metrics are in the system's DPI; the window may stand on a monitor of another.
  const UINT systemDpi = [] {
    HDC dc = GetDC(nullptr);
    int d = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return d > 0 ? static_cast<UINT>(d) : 96u;
  }();
  font.lfHeight = points > 0 ? -MulDiv(points, static_cast<int>(dpi), 72)
                             : MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi));
  if (bold) font.lfWeight = FW_BOLD;
  font.lfCharSet = charset == 0 ? DEFAULT_CHARSET : static_cast<BYTE>(charset);
  return CreateFontIndirectW(&font);
}

}  // namespace sg::win32
