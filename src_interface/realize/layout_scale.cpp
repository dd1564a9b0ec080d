#include "realize/layout_scale.h"

#include <algorithm>
#include <cmath>

namespace sg::realize {

DialogUnits dialogUnitsOf(int widthOfLetters, int lineHeight) { return {(widthOfLetters / 26 + 1) / 2, lineHeight}; }

int LayoutScale::toPixelsX(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * x)); }
int LayoutScale::toPixelsY(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * y)); }

LayoutScale layoutScaleFor(const DialogUnits& units) {
  return {std::max(1.0, static_cast<double>(units.charWidth) / kDesignCharWidth),
          std::max(1.0, static_cast<double>(units.lineHeight) / kDesignLineHeight)};
}

PixelRect placeOf(const forms::Control& c, const LayoutScale& s) {
  const int left = s.toPixelsX(c.left()), top = s.toPixelsY(c.top());
  return {left, top, s.toPixelsX(c.left() + c.width()) - left, s.toPixelsY(c.top() + c.height()) - top};
}

}  // namespace sg::realize
