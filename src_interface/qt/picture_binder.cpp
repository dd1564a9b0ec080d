// The binder of a picture box: the model's picture drawn scaled to fit the box with its aspect
// kept, centred, at the screen's own pixel density.
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include "qt/binder.h"

namespace sg::qt {
namespace {

using forms::Prop;

class PictureBinder : public Binder {
 public:
  PictureBinder(forms::Control& c, QLabel* label, WindowActions& a) : Binder(c, label, a), label_(label) {
    label_->setAlignment(Qt::AlignCenter);
  }

 protected:
  void show(Prop p) override {
    if (p == Prop::Picture) draw();
  }
  void resized() override { draw(); }

 private:
  void draw() {
    const forms::Control* c = control();
    if (!c || c->picture().empty()) {
      label_->clear();
      return;
    }
    const forms::Picture& pic = c->picture();
    const QImage image(pic.rgba.data(), pic.width, pic.height, pic.width * 4, QImage::Format_RGBA8888);
    const qreal ratio = label_->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        image.scaled(label_->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    label_->setPixmap(pixmap);
  }

  QLabel* label_;
};

}  // namespace

std::unique_ptr<Binder> makePictureBinder(forms::Control& control, QWidget* parent, WindowActions& actions) {
  return std::make_unique<PictureBinder>(control, new QLabel(parent), actions);
}

}  // namespace sg::qt
