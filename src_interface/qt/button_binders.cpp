// Binders of labels, check boxes, option buttons, command buttons, frames, progress bars and
// timers.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "qt/binder.h"
#include "qt/caption_fit.h"
#include "qt/charset_codec.h"
#include "qt/event_hook.h"

namespace sg::qt {
namespace {

using forms::Event;
using forms::Kind;
using forms::Prop;

// The whole area of a check box or option button takes the click, caption and blank alike, as
// on the classic desktop; the toolkit's own hit test would take only the box and the text.
template <class Button>
class WholeAreaButton : public Button {
 public:
  using Button::Button;

 protected:
  bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

class LabelBinder : public Binder {
 public:
  LabelBinder(forms::Control& c, QLabel* label, WindowActions& a) : Binder(c, label, a), label_(label) {
    // A double click arrives as press, release, double click, release: the first release is
    // the Click, the double click is the DblClick, and the release after it is neither.
    new EventHook(label, [this](QEvent* e) {
      if (e->type() == QEvent::MouseButtonDblClick &&
          static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        afterDouble_ = true;
        fromUser([](forms::Control& c) { c.fire(Event::DblClick); });
      } else if (e->type() == QEvent::MouseButtonRelease &&
                 static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (afterDouble_) afterDouble_ = false;
        else fromUser([](forms::Control& c) { c.fire(Event::Click); });
      }
    });
  }

 protected:
  void show(Prop p) override {
    if (p == Prop::Caption) setFittedCaption(label_, withLineBreaks(decoded(control()->caption())));
  }

 private:
  QLabel* label_;
  bool afterDouble_ = false;
};

// Check boxes and option buttons: the click goes to the model, which decides the new value
// (a greyed box unchecks; an option clears the others of its frame); the widget then shows it.
class CheckBinder : public Binder {
 public:
  CheckBinder(forms::Control& c, QAbstractButton* button, WindowActions& a) : Binder(c, button, a), button_(button) {
    QObject::connect(button, &QAbstractButton::clicked, button, [this] {
      fromUser([](forms::Control& c) { c.userClick(); });
      if (control()) modelChanged(Prop::Value);
    });
  }

 protected:
  void show(Prop p) override {
    forms::Control& c = *control();
    if (p == Prop::Caption) setFittedCaption(button_, decoded(c.caption()));
    if (p != Prop::Value) return;
    if (auto* box = qobject_cast<QCheckBox*>(button_))
      box->setCheckState(c.value() == 1 ? Qt::Checked : c.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    else
      button_->setChecked(c.value() != 0);
  }

 private:
  QAbstractButton* button_;
};

class CommandBinder : public Binder {
 public:
  CommandBinder(forms::Control& c, QPushButton* button, WindowActions& a) : Binder(c, button, a), button_(button) {
    QObject::connect(button, &QPushButton::clicked, button, [this] {
      fromUser([](forms::Control& c) { c.userClick(); });
    });
  }

 protected:
  void show(Prop p) override {
    if (p == Prop::Caption) setFittedCaption(button_, decoded(control()->caption()));
    else if (p == Prop::Default) button_->setDefault(control()->isDefault());
  }

 private:
  QPushButton* button_;
};

class FrameBinder : public Binder {
 public:
  FrameBinder(forms::Control& c, QGroupBox* box, WindowActions& a) : Binder(c, box, a), box_(box) {}

 protected:
  void show(Prop p) override {
    if (p == Prop::Caption) setFittedCaption(box_, decoded(control()->caption()));
  }

 private:
  QGroupBox* box_;
};

class ProgressBinder : public Binder {
 public:
  ProgressBinder(forms::Control& c, QProgressBar* bar, WindowActions& a) : Binder(c, bar, a), bar_(bar) {}

 protected:
  void show(Prop p) override {
    if (p == Prop::Value) bar_->setValue(control()->value());
    // The bar's text: the time left, once it can be told (the labels above give the percent).
    if (p == Prop::Caption) {
      const QString left = decoded(control()->caption());
      bar_->setFormat(left);
      bar_->setTextVisible(!left.isEmpty());
      bar_->setToolTip(left);
    }
  }

 private:
  QProgressBar* bar_;
};

// A timer has no widget; its QTimer belongs to the window and ticks the control.
class TimerBinder : public Binder {
 public:
  TimerBinder(forms::Control& c, QTimer* timer, WindowActions& a) : Binder(c, nullptr, a), timer_(timer) {
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
      fromUser([](forms::Control& c) { c.tick(); });
    });
  }
  ~TimerBinder() override { timer_->stop(); }

 protected:
  void show(Prop p) override {
    if (p != Prop::Timer) return;
    const forms::Control& c = *control();
    if (c.timerEnabled() && c.interval() > 0) {
      // Restarting counts the interval afresh, as re-enabling a timer does.
      timer_->start(c.interval());
    } else {
      timer_->stop();
    }
  }

 private:
  QTimer* timer_;
};

}  // namespace

std::unique_ptr<Binder> makeButtonBinder(forms::Control& control, QWidget* parent, WindowActions& actions) {
  switch (control.kind()) {
    case Kind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return std::make_unique<LabelBinder>(control, label, actions);
    }
    case Kind::CheckBox: {
      auto* box = new WholeAreaButton<QCheckBox>(parent);
      box->setTristate(true);
      return std::make_unique<CheckBinder>(control, box, actions);
    }
    case Kind::OptionButton: {
      auto* radio = new WholeAreaButton<QRadioButton>(parent);
      radio->setAutoExclusive(false);
      return std::make_unique<CheckBinder>(control, radio, actions);
    }
    case Kind::CommandButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      return std::make_unique<CommandBinder>(control, button, actions);
    }
    case Kind::Frame: {
      auto* box = new QGroupBox(parent);
      // A frame is opaque: a panel shown over other controls hides them.
      box->setAutoFillBackground(true);
      return std::make_unique<FrameBinder>(control, box, actions);
    }
    case Kind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setRange(0, 100);
      bar->setTextVisible(false);
      return std::make_unique<ProgressBinder>(control, bar, actions);
    }
    case Kind::Timer: return std::make_unique<TimerBinder>(control, new QTimer(parent), actions);
    default: break;
  }
  return nullptr;
}

}  // namespace sg::qt
