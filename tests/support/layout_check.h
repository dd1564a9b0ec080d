// The toolkit-free half of the window layout tests: given where each visible control of a
// window stands (in the window's client pixels), which of them clash. Two visible controls may
// overlap only when a frame holds the other, or when a frame that is not theirs covers one of
// them completely (it is then out of sight).
#pragma once
#include <string>
#include <vector>

#include "forms/form.h"

namespace sg::test {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool intersects(const PixelRect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool contains(const PixelRect& o) const {
    return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
  }
};

struct PlacedControl {
  forms::Control* control;
  PixelRect place;
};

// True when the frame holds the control, directly or through other frames.
bool holds(const forms::Form& f, const forms::Control& frame, const forms::Control& c);

// "A overlaps B" for every clashing pair.
std::vector<std::string> overlapProblems(const forms::Form& f, const std::vector<PlacedControl>& shown);

// The problems, one a line, for a test's failure message.
std::string joined(const std::vector<std::string>& problems);

}  // namespace sg::test
