// A binder keeps one widget and its control in step in both directions. Model changes are
// pushed into the widget under an echo guard; the widget's user signals become assignments
// (or, for actions that are not assignments, the control's own events).
#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "forms/control.h"

class QWidget;

namespace sg::qt {

// What a binder tells the realization after the user did something.
class UserActions {
 public:
  virtual ~UserActions() = default;
  virtual void userActionDone() = 0;
};

class Binder {
 public:
  Binder(forms::Control& control, QWidget* widget, UserActions& actions);
  virtual ~Binder();
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  // Null once the control's window is unloading: from then on nothing reaches the model.
  forms::Control* control() const { return control_; }
  // The widget (null for timers).
  QWidget* widget() const { return widget_; }
  void detach() { control_ = nullptr; }

  // Pushes a changed property into the widget.
  void modelChanged(forms::Prop p);
  // Pushes every property (right after building).
  void syncAll();

 protected:
  // Kind-specific part of modelChanged; the common properties are done by the base.
  virtual void show(forms::Prop p) = 0;
  // Called after the widget was given a new size, so that a caption can be fitted again.
  virtual void resized();

  // Runs a user action against the model, unless the widget is only echoing a model value or
  // the window has gone. Exceptions of handlers stop here rather than inside Qt.
  template <class F>
  void fromUser(F&& action) {
    if (!control_ || echo_) return;
    ++userDepth_;
    runGuarded([&] { action(*control_); });
    --userDepth_;
    actions_.userActionDone();
  }
  bool inUserAction() const { return userDepth_ > 0; }

  // While alive, the widget's signals are the model's own echo and are ignored.
  class Echo {
   public:
    explicit Echo(Binder& b) : b_(b) { ++b_.echo_; }
    ~Echo() { --b_.echo_; }
   private:
    Binder& b_;
  };

  QString decoded(const std::string& bytes) const;
  std::string encoded(const QString& text) const;

 private:
  void runGuarded(const std::function<void()>& f);

  forms::Control* control_;
  QWidget* widget_;
  UserActions& actions_;
  int echo_ = 0;
  int userDepth_ = 0;
};

// Makes the widget of a control (parented to parent) and its binder.
std::unique_ptr<Binder> makeBinder(forms::Control& control, QWidget* parent, UserActions& actions);

// Kind-specific factories (one file per family of kinds).
std::unique_ptr<Binder> makeTextBinder(forms::Control& control, QWidget* parent, UserActions& actions);
std::unique_ptr<Binder> makeListBinder(forms::Control& control, QWidget* parent, UserActions& actions);
std::unique_ptr<Binder> makeButtonBinder(forms::Control& control, QWidget* parent, UserActions& actions);


}  // namespace sg::qt
