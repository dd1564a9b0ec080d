#include "options/default_files.h"

#include <cmath>

#include "options/level_option_line.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sg::options {

void loaddefaultoptions(RenderOptions& o) {
  o.defaultset.setText(kBuiltInDefaultLine);
  if (!files::FileExists("defaultSettings.txt")) return;
  // An empty or unreadable file keeps the built-in line.
  if (auto line = files::readFirstLine("defaultSettings.txt")) o.defaultset.setText(*line);
}

void loaddefaultmapformat(RenderOptions& o) {
  o.combomapformat.setListIndex(0);
  if (files::FileExists("defaultMapFormat.txt")) {
    if (auto line = files::readFirstLine("defaultMapFormat.txt")) {
      long long v = text::roundHalfEven(text::numericValue(*line));
      if (v >= 0 && v < o.combomapformat.listCount()) o.combomapformat.setListIndex(static_cast<int>(v));
    }
  }
  if (o.combomapformat.listIndex() < 0) o.combomapformat.setListIndex(0);
}

}  // namespace sg::options
