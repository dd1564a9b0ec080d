// An event filter made of a function, so that binders can watch focus and mouse events of a
// widget without subclassing it.
#pragma once
#include <QEvent>
#include <QObject>
#include <functional>

namespace sg::qt {

class EventHook : public QObject {
 public:
  EventHook(QObject* watched, std::function<void(QEvent*)> f) : QObject(watched), f_(std::move(f)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    f_(e);
    return false;
  }

 private:
  std::function<void(QEvent*)> f_;
};

// Focus leaving a control for another control of the same window (not for a popup list or
// another window), which is when a control's LostFocus runs.
inline bool isLostFocus(QEvent* e) {
  if (e->type() != QEvent::FocusOut) return false;
  auto reason = static_cast<QFocusEvent*>(e)->reason();
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace sg::qt
