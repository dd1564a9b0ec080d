// Twips to pixels for the Qt windows: the dialog units of the font the windows really use (see
// realize/layout_scale.h for the rule).
#pragma once
#include <QFont>

#include "realize/layout_scale.h"

namespace sg::qt {

using realize::DialogUnits;
using realize::kDesignCharWidth;
using realize::kDesignLineHeight;
using realize::LayoutScale;

DialogUnits dialogUnits(const QFont& font);
// The scale for a font; never below the design.
LayoutScale layoutScaleFor(const QFont& font);
// The scale of the window font, measured once per program.
const LayoutScale& windowLayoutScale();

}  // namespace sg::qt
