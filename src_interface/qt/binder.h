// A binder keeps one widget and its control in step in both directions (realize/binder_core.h);
// this part calls Qt: the common properties of a QWidget, and the texts decoded from the
// control's character set.
#pragma once
#include <QString>
#include <memory>
#include <string>

#include "forms/control.h"
#include "realize/binder_core.h"
#include "realize/window_actions.h"

class QWidget;

namespace sg::qt {

using realize::WindowActions;

class Binder : public realize::BinderCore {
 public:
  Binder(forms::Control& control, QWidget* widget, WindowActions& actions);
  ~Binder() override;

  // The widget (null for timers).
  QWidget* widget() const { return widget_; }

 protected:
  // Called after the widget was given a new size, so that a caption can be fitted again.
  virtual void resized();

  QString decoded(const std::string& bytes) const;
  std::string encoded(const QString& text) const;

 private:
  bool hasWidget() const override { return widget_ != nullptr; }
  void showEnabled(bool enabled) override;
  void showVisible(bool visible) override;
  void place() override;
  void userActionDone() override { actions_.userActionDone(); }

  QWidget* widget_;
  WindowActions& actions_;
};

// Makes the widget of a control (parented to parent) and its binder.
std::unique_ptr<Binder> makeBinder(forms::Control& control, QWidget* parent, WindowActions& actions);

// Kind-specific factories (one file per family of kinds).
std::unique_ptr<Binder> makeTextBinder(forms::Control& control, QWidget* parent, WindowActions& actions);
std::unique_ptr<Binder> makeListBinder(forms::Control& control, QWidget* parent, WindowActions& actions);
std::unique_ptr<Binder> makeButtonBinder(forms::Control& control, QWidget* parent, WindowActions& actions);
std::unique_ptr<Binder> makePictureBinder(forms::Control& control, QWidget* parent, WindowActions& actions);

}  // namespace sg::qt
