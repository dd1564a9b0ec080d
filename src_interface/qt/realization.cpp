#include "qt/realization.h"

#include <QCoreApplication>
#include <QTimer>

#include "qt/qt_dialogs.h"

namespace sg::qt {

QtRealization::QtRealization(forms::Registry& registry, const QtDialogs* dialogs)
    : RealizationCore(registry, dialogs) {
  attach();
  // Windows loaded before the realization existed get their widgets now.
  for (forms::Form* f : registry_.loadedForms()) {
    formLoaded(*f);
    if (f->visible()) formShown(*f);
  }
}

QtRealization::~QtRealization() { release(); }

QWidget* QtRealization::widget(const std::string& formName, const std::string& controlName) const {
  forms::Form* f = registry_.find(formName);
  FormWindow* w = f ? window(*f) : nullptr;
  forms::Control* c = f ? f->find(controlName) : nullptr;
  return w && c ? w->widget(*c) : nullptr;
}

void QtRealization::formShown(forms::Form& f) {
  if (FormWindow* w = window(f)) {
    w->show();
    w->raise();
    w->activateWindow();
  }
}

std::unique_ptr<FormWindow> QtRealization::makeWindow(forms::Form& form) {
  return std::make_unique<FormWindow>(form, *this);
}

void QtRealization::collectLater() {
  QTimer::singleShot(0, &context_, [this] { collect(); });
}

void QtRealization::retryCollectLater() {
  QTimer::singleShot(10, &context_, [this] { collectSoon(); });
}


void QtRealization::quit() { QCoreApplication::quit(); }

}  // namespace sg::qt
