#include "qt/form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "qt/charset_codec.h"
#include "qt/layout_scale.h"

namespace sg::qt {

QFont windowFont() {
  QFont f = QApplication::font();
  // Narrow sans faces come closest to the classic dialog font the twips layouts were made for.
  // Any other face works too: the layout scales with the font's dialog units.
  f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                 QStringLiteral("Helvetica"), f.family()});
  f.setPixelSize(11);
  return f;
}

FormWindow::FormWindow(forms::Form& form, WindowActions& actions)
    : QWidget(nullptr), form_(&form), actions_(actions) {
  setFont(windowFont());
  for (const auto& c : form.controls()) {
    binders_.push_back(makeBinder(*c, this, actions));
    if (QWidget* w = binders_.back()->widget(); w && c->fontSize() > 0) {
      QFont f = font();
      f.setPixelSize(c->fontSize() * 96 / 72);
      f.setBold(c->fontBold());
      w->setFont(f);
    }
  }
  // Frames hold their children, whatever order the table declares them in.
  for (const auto& b : binders_) {
    forms::Control* c = b->control();
    if (!b->widget() || c->container().empty()) continue;
    if (forms::Control* frame = form.find(c->container()))
      if (QWidget* holder = widget(*frame)) b->widget()->setParent(holder);
  }
  for (const auto& b : binders_) b->syncAll();
  applyTabOrder();
  showSizeAndCaption();
}

FormWindow::~FormWindow() = default;

Binder* FormWindow::binder(const forms::Control& c) const {
  for (const auto& b : binders_)
    if (b->control() == &c) return b.get();
  return nullptr;
}

QWidget* FormWindow::widget(const forms::Control& c) const {
  Binder* b = binder(c);
  return b ? b->widget() : nullptr;
}

void FormWindow::showSizeAndCaption() {
  if (!form_) return;
  setWindowTitle(decodeText(form_->caption(), 0));
  const LayoutScale& s = windowLayoutScale();
  setFixedSize(std::max(1, s.toPixelsX(form_->width()) - kBorderWidthPx),
               std::max(1, s.toPixelsY(form_->height()) - kBorderHeightPx));
}

void FormWindow::scheduleTabOrder() {
  if (tabOrderPending_) return;
  tabOrderPending_ = true;
  QTimer::singleShot(0, this, [this] {
    tabOrderPending_ = false;
    applyTabOrder();
  });
}

void FormWindow::applyTabOrder() {
  if (!form_) return;
  QWidget* previous = nullptr;
  for (forms::Control* c : form_->tabOrder()) {
    QWidget* w = widget(*c);
    if (!w || w->focusPolicy() == Qt::NoFocus) continue;
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

void FormWindow::detach() {
  form_ = nullptr;
  for (const auto& b : binders_) b->detach();
}

void FormWindow::closeEvent(QCloseEvent* e) {
  if (!form_) {
    e->accept();
    return;
  }
  // The window's own rules decide whether it hides, unloads or ends the program.
  e->ignore();
  actions_.closeBox(*form_);
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
  if (form_ && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
    // Enter presses the focused button, else the window's default button.
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused && focused->isEnabled()) {
      focused->click();
      return;
    }
    for (const auto& b : binders_) {
      forms::Control* c = b->control();
      if (!c || !c->isDefault()) continue;
      auto* button = qobject_cast<QPushButton*>(b->widget());
      if (button && button->isVisibleTo(this) && button->isEnabled()) button->click();
      return;
    }
  }
  QWidget::keyPressEvent(e);
}

}  // namespace sg::qt
