#include "realize/binder_core.h"

#include <cstdio>

namespace sg::realize {

using forms::Prop;

void BinderCore::reportFailure(const char* what) {
  // The window stays usable; the failure is said where the program's output goes.
  std::fprintf(stderr, "strandvale-g: %s\n", what);
}

void BinderCore::modelChanged(Prop p) {
  if (!control_) return;
  Echo echo(*this);
  if (hasWidget()) {
    switch (p) {
      case Prop::Enabled: showEnabled(control_->enabled()); return;
      case Prop::Visible: showVisible(control_->visible()); return;
      case Prop::Geometry: place(); return;
      case Prop::Charset:
        // The same characters need another decoding of the caption and texts.
        charsetChanged();
        show(Prop::Caption);
        showAllItems();
        show(Prop::Text);
        return;
      default: break;
    }
  }
  show(p);
}

void BinderCore::showAllItems() {
  if (!control_) return;
  Echo echo(*this);
  allItems_ = true;
  show(Prop::Items);
  allItems_ = false;
}

void BinderCore::syncAll() {
  modelChanged(Prop::Geometry);
  showAllItems();
  for (Prop p : {Prop::Caption, Prop::Text, Prop::Value, Prop::ListIndex, Prop::Selected, Prop::Enabled, Prop::Locked,
                 Prop::Default, Prop::Timer, Prop::Picture, Prop::Visible})
    modelChanged(p);
}

}  // namespace sg::realize
