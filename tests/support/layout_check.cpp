#include "support/layout_check.h"

namespace sg::test {

using forms::Kind;

bool holds(const forms::Form& f, const forms::Control& frame, const forms::Control& c) {
  for (const forms::Control* x = &c; !x->container().empty(); x = f.find(x->container())) {
    const forms::Control* parent = f.find(x->container());
    if (!parent) return false;
    if (parent == &frame) return true;
  }
  return false;
}

std::vector<std::string> overlapProblems(const forms::Form& f, const std::vector<PlacedControl>& shown) {
  auto covered = [&](const forms::Control* x, const PixelRect& rx) {
    for (const auto& [fc, rf] : shown)
      if (fc->kind() == Kind::Frame && fc != x && !holds(f, *fc, *x) && rf.contains(rx)) return true;
    return false;
  };
  std::vector<std::string> out;
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j) {
      const auto& [a, ra] = shown[i];
      const auto& [b, rb] = shown[j];
      if (!ra.intersects(rb)) continue;
      if ((a->kind() == Kind::Frame && holds(f, *a, *b)) || (b->kind() == Kind::Frame && holds(f, *b, *a))) continue;
      if (covered(a, ra) || covered(b, rb)) continue;
      out.push_back(a->name() + " overlaps " + b->name());
    }
  return out;
}

std::string joined(const std::vector<std::string>& problems) {
  std::string s;
  for (const auto& x : problems) s += "\n  " + x;
  return s;
}

}  // namespace sg::test
