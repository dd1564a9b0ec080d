#include "qt/layout_scale.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "qt/form_window.h"

namespace sg::qt {

int LayoutScale::toPixelsX(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * x)); }
int LayoutScale::toPixelsY(int twips) const { return static_cast<int>(std::lround(twips / 15.0 * y)); }

DialogUnits dialogUnits(const QFont& font) {
  QFontMetrics fm(font);
  int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // The average over 26 pairs, halved with rounding, as a classic dialog measures its font.
  return {(letters / 26 + 1) / 2, fm.height()};
}

LayoutScale layoutScaleFor(const QFont& font) {
  DialogUnits u = dialogUnits(font);
  return {std::max(1.0, double(u.charWidth) / kDesignCharWidth),
          std::max(1.0, double(u.lineHeight) / kDesignLineHeight)};
}

const LayoutScale& windowLayoutScale() {
  static const LayoutScale scale = layoutScaleFor(windowFont());
  return scale;
}

}  // namespace sg::qt
