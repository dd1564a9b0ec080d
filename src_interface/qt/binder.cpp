#include "qt/binder.h"

#include <QWidget>

#include "qt/caption_fit.h"
#include "qt/charset_codec.h"
#include "qt/layout_scale.h"

namespace sg::qt {

using forms::Kind;

Binder::Binder(forms::Control& control, QWidget* widget, WindowActions& actions)
    : BinderCore(control), widget_(widget), actions_(actions) {}

Binder::~Binder() = default;

QString Binder::decoded(const std::string& bytes) const {
  return decodeText(bytes, control() ? control()->charset() : 0);
}

std::string Binder::encoded(const QString& text) const {
  return encodeText(text, control() ? control()->charset() : 0);
}

void Binder::showEnabled(bool enabled) { widget_->setEnabled(enabled); }

void Binder::showVisible(bool visible) { widget_->setVisible(visible); }

void Binder::place() {
  const realize::PixelRect r = realize::placeOf(*control(), windowLayoutScale());
  widget_->setGeometry(r.left, r.top, r.width, r.height);
  resized();
}

void Binder::resized() {
  if (widget_) refitCaption(widget_);
}

std::unique_ptr<Binder> makeBinder(forms::Control& control, QWidget* parent, WindowActions& actions) {
  switch (control.kind()) {
    case Kind::TextBox:
    case Kind::ComboBox: return makeTextBinder(control, parent, actions);
    case Kind::ListBox: return makeListBinder(control, parent, actions);
    case Kind::Picture: return makePictureBinder(control, parent, actions);
    default: return makeButtonBinder(control, parent, actions);
  }
}

}  // namespace sg::qt
