#include "script/user_reach.h"

#include "forms/form.h"

namespace sg::script {

std::string unreachable(const forms::Control& c) {
  const forms::Form& form = c.form();
  const std::string name = form.name() + "." + c.name();
  if (!form.visible()) return "the window " + form.name() + " is not shown";
  if (!c.visible()) return name + " is hidden";
  if (!c.enabled()) return name + " is disabled";
  int left = c.left(), top = c.top();
  // Frames hold their controls at positions relative to the frame. The depth limit guards
  // against a table whose frames name each other in a circle.
  const forms::Control* inner = &c;
  for (int depth = 0; !inner->container().empty() && depth < 32; ++depth) {
    const forms::Control* frame = form.find(inner->container());
    if (!frame) break;
    if (!frame->visible()) return name + " lies in the hidden frame " + frame->name();
    if (!frame->enabled()) return name + " lies in the disabled frame " + frame->name();
    left += frame->left();
    top += frame->top();
    inner = frame;
  }
  if (left >= form.width() || top >= form.height())
    return name + " lies beyond the edge of the window " + form.name();
  return {};
}

}  // namespace sg::script
