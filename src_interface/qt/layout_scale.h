// Twips to pixels through the metrics of the font the windows really use. The designer tables
// were laid out for a classic 8-point dialog font whose dialog units are 6 x 13 pixels at 96 dpi;
// a wider or taller font scales x or y by the same ratio, so a caption that fits with the design
// font fits with any font and at any screen scale. The model keeps twips as they are.
#pragma once
#include <QFont>

namespace sg::qt {

// The design font's dialog units: average character width and line height in pixels.
inline constexpr int kDesignCharWidth = 6;
inline constexpr int kDesignLineHeight = 13;

struct LayoutScale {
  double x = 1.0, y = 1.0;

  int toPixelsX(int twips) const;
  int toPixelsY(int twips) const;
};

// The dialog units of a font: the average width of the 52 letters, rounded as classic dialogs
// round it, and the line height.
struct DialogUnits {
  int charWidth = kDesignCharWidth;
  int lineHeight = kDesignLineHeight;
};
DialogUnits dialogUnits(const QFont& font);

// The scale for a font; never below the design (a narrow font keeps the designed layout).
LayoutScale layoutScaleFor(const QFont& font);

// The scale of the window font, measured once per program.
const LayoutScale& windowLayoutScale();

}  // namespace sg::qt
