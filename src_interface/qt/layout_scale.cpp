#include "qt/layout_scale.h"

#include <QFontMetrics>

#include "qt/form_window.h"

namespace sg::qt {

DialogUnits dialogUnits(const QFont& font) {
  QFontMetrics fm(font);
  return realize::dialogUnitsOf(
      fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")), fm.height());
}

LayoutScale layoutScaleFor(const QFont& font) { return realize::layoutScaleFor(dialogUnits(font)); }

const LayoutScale& windowLayoutScale() {
  static const LayoutScale scale = layoutScaleFor(windowFont());
  return scale;
}

}  // namespace sg::qt
