// The part of a binder that no toolkit changes. A binder keeps one widget and its control in
// step in both directions: model changes are pushed into the widget under an echo guard, so
// that the widget's own signal is not taken for a new user edit; the widget's user signals
// become assignments to the model (or, for actions that are not assignments, the control's
// events), run so that a handler's failure never unwinds through the toolkit.
#pragma once
#include <exception>

#include "forms/control.h"

namespace sg::realize {

class BinderCore {
 public:
  explicit BinderCore(forms::Control& control) : control_(&control) {}
  virtual ~BinderCore() = default;
  BinderCore(const BinderCore&) = delete;
  BinderCore& operator=(const BinderCore&) = delete;

  // Null once the control's window is unloading: from then on nothing reaches the model.
  forms::Control* control() const { return control_; }
  void detach() { control_ = nullptr; }

  // Pushes a changed property into the widget.
  void modelChanged(forms::Prop p);
  // Pushes every property (right after building).
  void syncAll();

 protected:
  // The toolkit's part: whether there is a widget (timers have none), the common properties,
  // and the kind-specific rest.
  virtual bool hasWidget() const = 0;
  virtual void showEnabled(bool enabled) = 0;
  virtual void showVisible(bool visible) = 0;
  virtual void place() = 0;
  // Before the caption and texts are shown again in another character set.
  virtual void charsetChanged() {}
  virtual void show(forms::Prop p) = 0;
  virtual void userActionDone() = 0;

  // Runs a user action against the model, unless the widget is only echoing a model value or
  // the window has gone.
  template <class F>
  void fromUser(F&& action) {
    if (!control_ || echo_ > 0) return;
    ++userDepth_;
    try {
      action(*control_);
    } catch (const std::exception& e) {
      reportFailure(e.what());
    }
    --userDepth_;
    userActionDone();
  }
  bool inUserAction() const { return userDepth_ > 0; }
  // Shows a change of the items in a widget that holds `shown` of them: the one item the model
  // says was set, inserted or removed, alone, when the widget's count bears it out; else all of
  // them anew (after building, in another character set, or when the model changed all at once).
  template <class Set, class Insert, class Remove, class All>
  void showItems(int shown, Set&& set, Insert&& insert, Remove&& remove, All&& all) {
    using Change = forms::Control::ItemsChange;
    const Change change = allItems_ || !control_ ? Change{} : control_->itemsChange();
    const int now = control_ ? control_->listCount() : 0;
    if (change.kind == Change::Set && shown == now) set(change.index);
    else if (change.kind == Change::Insert && shown + 1 == now) insert(change.index);
    else if (change.kind == Change::Remove && shown == now + 1) remove(change.index);
    else all();
  }
  bool echoing() const { return echo_ > 0; }

  // While alive, the widget's signals are the model's own echo and are ignored.
  class Echo {
   public:
    explicit Echo(BinderCore& b) : b_(b) { ++b_.echo_; }
    ~Echo() { --b_.echo_; }
    Echo(const Echo&) = delete;
    Echo& operator=(const Echo&) = delete;

   private:
    BinderCore& b_;
  };

 private:
  static void reportFailure(const char* what);
  void showAllItems();

  forms::Control* control_;
  bool allItems_ = false;
  int echo_ = 0;
  int userDepth_ = 0;
};

}  // namespace sg::realize
