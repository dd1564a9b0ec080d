// Twips to pixels for the native windows: the dialog units of the window font at the window's
// DPI (see realize/layout_scale.h for the rule).
#pragma once
#include <windows.h>

#include "realize/layout_scale.h"

namespace sg::win32 {

using realize::DialogUnits;
using realize::kDesignCharWidth;
using realize::kDesignLineHeight;
using realize::LayoutScale;
using realize::layoutScaleFor;

DialogUnits dialogUnits(HFONT font);

// The window font at a DPI: the system's message font (the dialog font of this Windows).
HFONT createWindowFont(UINT dpi, int charset = 0, int points = 0, bool bold = false);

}  // namespace sg::win32
