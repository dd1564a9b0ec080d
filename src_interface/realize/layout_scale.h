// Twips to pixels through the dialog units of the font the windows really use, as a classic
// dialog scales. The designer tables were laid out for an 8-point dialog font whose dialog units
// are 6 x 13 pixels at 96 dpi; a wider or taller font (another face, or a higher DPI) scales x or
// y by the same ratio, so that a caption that fits with the design font fits with any font. The
// model keeps twips; each toolkit measures its font.
#pragma once
#include "forms/control.h"

namespace sg::realize {

inline constexpr int kDesignCharWidth = 6;
inline constexpr int kDesignLineHeight = 13;

// A font's dialog units: the average width of the 52 letters, halved with rounding as a
// classic dialog measures it, and the line height, in pixels.
struct DialogUnits {
  int charWidth = kDesignCharWidth;
  int lineHeight = kDesignLineHeight;
};
// From the width of the 52 letters written in a row, and the line height.
DialogUnits dialogUnitsOf(int widthOfLetters, int lineHeight);

struct LayoutScale {
  double x = 1.0, y = 1.0;
  int toPixelsX(int twips) const;
  int toPixelsY(int twips) const;
};

// Never below the design: a narrow font keeps the designed layout.
LayoutScale layoutScaleFor(const DialogUnits& units);

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};
// Where a control stands in pixels. Right and bottom edges are scaled too, so that controls
// that touch keep touching.
PixelRect placeOf(const forms::Control& control, const LayoutScale& scale);

}  // namespace sg::realize
