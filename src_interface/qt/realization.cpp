#include "qt/realization.h"

#include <QCoreApplication>
#include <QTimer>

#include "qt/qt_dialogs.h"

namespace sg::qt {

QtRealization::QtRealization(forms::Registry& registry, const QtDialogs* dialogs)
    : registry_(registry), dialogs_(dialogs) {
  registry_.addObserver(this);
  // Windows loaded before the realization existed get their widgets now.
  for (forms::Form* f : registry_.loadedForms()) {
    formLoaded(*f);
    if (f->visible()) formShown(*f);
  }
}

QtRealization::~QtRealization() {
  registry_.removeObserver(this);
  for (auto& [form, w] : windows_)
    if (w) {
      w->detach();
      delete w.data();
    }
  for (auto& w : dropped_) delete w.data();
}

FormWindow* QtRealization::window(const forms::Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.data();
}

FormWindow* QtRealization::window(const std::string& formName) const {
  forms::Form* f = registry_.find(formName);
  return f ? window(*f) : nullptr;
}

QWidget* QtRealization::widget(const std::string& formName, const std::string& controlName) const {
  forms::Form* f = registry_.find(formName);
  FormWindow* w = f ? window(*f) : nullptr;
  forms::Control* c = f ? f->find(controlName) : nullptr;
  return w && c ? w->widget(*c) : nullptr;
}

void QtRealization::formLoaded(forms::Form& f) {
  if (window(f)) return;
  auto* w = new FormWindow(f, *this);
  windows_[&f] = w;
  for (const auto& b : w->binders()) binders_[b->control()] = b.get();
}

void QtRealization::dropWindow(forms::Form& f) {
  auto it = windows_.find(&f);
  if (it == windows_.end()) return;
  if (FormWindow* w = it->second.data()) {
    for (const auto& b : w->binders()) binders_.erase(b->control());
    w->detach();
    w->hide();
    // A handler of this very window may still be on the stack: the window goes with the
    // unloaded forms, once no handler runs.
    dropped_.emplace_back(w);
    collectSoon();
  }
  windows_.erase(it);
}

void QtRealization::formUnloading(forms::Form& f) { dropWindow(f); }

void QtRealization::formShown(forms::Form& f) {
  if (FormWindow* w = window(f)) {
    w->show();
    w->raise();
    w->activateWindow();
  }
}

void QtRealization::formHidden(forms::Form& f) {
  if (FormWindow* w = window(f)) w->hide();
}

void QtRealization::formChanged(forms::Form& f) {
  if (FormWindow* w = window(f)) w->showSizeAndCaption();
}

void QtRealization::controlChanged(forms::Control& c, forms::Prop p) {
  // Controls of a window still being made have no binder yet; the builder reads them whole.
  auto it = binders_.find(&c);
  if (it == binders_.end()) return;
  if (p == forms::Prop::TabIndex) {
    if (FormWindow* w = window(c.form())) w->scheduleTabOrder();
    return;
  }
  it->second->modelChanged(p);
}

void QtRealization::programEnded() {
  for (auto& [form, w] : windows_)
    if (w) {
      w->detach();
      w->hide();
    }
  binders_.clear();
  QCoreApplication::quit();
}

void QtRealization::closeBox(forms::Form& form) {
  registry_.close(form);
  userActionDone();
}

void QtRealization::userActionDone() { collectSoon(); }

void QtRealization::collectSoon() {
  if (collectPending_) return;
  collectPending_ = true;
  QTimer::singleShot(0, &context_, [this] {
    collectPending_ = false;
    // A box's own event loop runs underneath a handler; wait until the handler has returned.
    if (dialogs_ && dialogs_->open()) {
      QTimer::singleShot(10, &context_, [this] { collectSoon(); });
      return;
    }
    for (auto& w : dropped_) delete w.data();
    dropped_.clear();
    registry_.collect();
  });
}

}  // namespace sg::qt
