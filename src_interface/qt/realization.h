// The real windows: listens to the registry, builds a window when a form loads, shows, hides
// and destroys it with the model, passes property changes to the binders, and ends the event
// loop when the program ends. After each user action it destroys the windows that handlers
// unloaded, at a moment when no handler runs.
#pragma once
#include <QObject>
#include <QPointer>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/registry.h"
#include "qt/form_window.h"

namespace sg::qt {

class QtDialogs;

class QtRealization : public forms::Observer, public WindowActions {
 public:
  // dialogs, when given, is asked whether a message box is open: windows are not destroyed
  // while a handler waits for its box.
  explicit QtRealization(forms::Registry& registry, const QtDialogs* dialogs = nullptr);
  ~QtRealization() override;
  QtRealization(const QtRealization&) = delete;
  QtRealization& operator=(const QtRealization&) = delete;

  FormWindow* window(const forms::Form& form) const;
  FormWindow* window(const std::string& formName) const;
  QWidget* widget(const std::string& formName, const std::string& controlName) const;

  // forms::Observer
  void formLoaded(forms::Form& f) override;
  void formUnloading(forms::Form& f) override;
  void formShown(forms::Form& f) override;
  void formHidden(forms::Form& f) override;
  void formChanged(forms::Form& f) override;
  void controlChanged(forms::Control& c, forms::Prop p) override;
  void programEnded() override;

  // WindowActions
  void userActionDone() override;
  void closeBox(forms::Form& form) override;

 private:
  void dropWindow(forms::Form& f);
  void collectSoon();

  forms::Registry& registry_;
  const QtDialogs* dialogs_;
  std::map<const forms::Form*, QPointer<FormWindow>> windows_;
  std::vector<QPointer<FormWindow>> dropped_;  // unloaded, deleted with the unloaded forms
  std::unordered_map<const forms::Control*, Binder*> binders_;
  QObject context_;  // owner of deferred calls; they die with the realization
  bool collectPending_ = false;
};

}  // namespace sg::qt
