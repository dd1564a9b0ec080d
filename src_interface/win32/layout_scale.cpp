#include "win32/layout_scale.h"

#include <algorithm>
#include <cmath>

namespace sg::win32 {

int LayoutScale::toPixelsX(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * x)); }
int LayoutScale::toPixelsY(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * y)); }

DialogUnits dialogUnits(HFONT font) {
  DialogUnits u;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  TEXTMETRICW metrics{};
  if (GetTextExtentPoint32W(dc, letters, 52, &size) && GetTextMetricsW(dc, &metrics)) {
    u.charWidth = (size.cx / 26 + 1) / 2;
    u.lineHeight = metrics.tmHeight;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return u;
}

LayoutScale layoutScaleFor(const DialogUnits& units) {
  LayoutScale s;
  s.x = std::max(1.0, static_cast<double>(units.charWidth) / kDesignCharWidth);
  s.y = std::max(1.0, static_cast<double>(units.lineHeight) / kDesignLineHeight);
  return s;
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
