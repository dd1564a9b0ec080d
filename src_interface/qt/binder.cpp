#include "qt/binder.h"

#include <QWidget>
#include <cstdio>
#include <exception>

#include "qt/caption_fit.h"
#include "qt/charset_codec.h"
#include "qt/layout_scale.h"

namespace sg::qt {

using forms::Kind;
using forms::Prop;

Binder::Binder(forms::Control& control, QWidget* widget, UserActions& actions)
    : control_(&control), widget_(widget), actions_(actions) {}

Binder::~Binder() = default;

QString Binder::decoded(const std::string& bytes) const {
  return decodeText(bytes, control_ ? control_->charset() : 0);
}

std::string Binder::encoded(const QString& text) const {
  return encodeText(text, control_ ? control_->charset() : 0);
}

void Binder::runGuarded(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    // A handler's failure must not unwind through the toolkit; the window stays usable.
    std::fprintf(stderr, "strandvale-g: %s\n", e.what());
  }
}

void Binder::modelChanged(Prop p) {
  if (!control_) return;
  Echo echo(*this);
  if (widget_) {
    switch (p) {
      case Prop::Enabled: widget_->setEnabled(control_->enabled()); return;
      case Prop::Visible: widget_->setVisible(control_->visible()); return;
      case Prop::Geometry: {
        const LayoutScale& s = windowLayoutScale();
        // Right and bottom edges are scaled too, so that controls that touch keep touching.
        int left = s.toPixelsX(control_->left()), top = s.toPixelsY(control_->top());
        widget_->setGeometry(left, top, s.toPixelsX(control_->left() + control_->width()) - left,
                             s.toPixelsY(control_->top() + control_->height()) - top);
        resized();
        return;
      }
      case Prop::Charset:
        // The same characters need another decoding of the caption and texts.
        show(Prop::Caption);
        show(Prop::Items);
        show(Prop::Text);
        return;
      default: break;
    }
  }
  show(p);
}

void Binder::resized() {
  if (widget_) refitCaption(widget_);
}

void Binder::syncAll() {
  for (Prop p : {Prop::Geometry, Prop::Items, Prop::Caption, Prop::Text, Prop::Value, Prop::ListIndex,
                 Prop::Selected, Prop::Enabled, Prop::Locked, Prop::Default, Prop::Timer, Prop::Visible})
    modelChanged(p);
}

std::unique_ptr<Binder> makeBinder(forms::Control& control, QWidget* parent, UserActions& actions) {
  switch (control.kind()) {
    case Kind::TextBox:
    case Kind::ComboBox: return makeTextBinder(control, parent, actions);
    case Kind::ListBox: return makeListBinder(control, parent, actions);
    default: return makeButtonBinder(control, parent, actions);
  }
}

}  // namespace sg::qt
