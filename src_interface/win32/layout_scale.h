// Twips to pixels through the dialog units of the window font, as a classic dialog scales: the
// designer tables were laid out for an 8-point dialog font whose dialog units are 6 x 13 pixels
// at 96 dpi. A wider or taller font (another face, or a higher DPI) scales x or y by the same
// ratio, so a caption that fits with the design font fits with any font. The model keeps twips.
#pragma once
#include <windows.h>

namespace sg::win32 {

inline constexpr int kDesignCharWidth = 6;
inline constexpr int kDesignLineHeight = 13;

struct DialogUnits {
  int charWidth = kDesignCharWidth;
  int lineHeight = kDesignLineHeight;
};

struct LayoutScale {
  double x = 1.0, y = 1.0;
  int toPixelsX(int twips) const;
  int toPixelsY(int twips) const;
};

// The average width of the 52 letters, rounded as dialogs round it, and the line height.
DialogUnits dialogUnits(HFONT font);
// Never below the design: a narrow font keeps the designed layout.
LayoutScale layoutScaleFor(const DialogUnits& units);

// The window font at a DPI: the system's message font (the dialog font of this Windows).
HFONT createWindowFont(UINT dpi, int charset = 0, int points = 0, bool bold = false);

}  // namespace sg::win32
