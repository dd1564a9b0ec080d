// The Qt windows of the model (realize/realization_core.h does the rest): a window is built
// when its form loads, shown raised and active, and the deferred work runs on Qt's timers.
#pragma once
#include <QObject>
#include <string>

#include "forms/registry.h"
#include "qt/form_window.h"
#include "realize/realization_core.h"

namespace sg::qt {

class QtDialogs;

class QtRealization : public realize::RealizationCore<FormWindow, QtDialogs> {
 public:
  explicit QtRealization(forms::Registry& registry, const QtDialogs* dialogs = nullptr);
  ~QtRealization() override;

  QWidget* widget(const std::string& formName, const std::string& controlName) const;

  // forms::Observer
  void formLoaded(forms::Form& f) override { build(f); }
  void formShown(forms::Form& f) override;

 private:
  std::unique_ptr<FormWindow> makeWindow(forms::Form& form) override;
  void collectLater() override;
  void retryCollectLater() override;
  void quit() override;

  QObject context_;  // owner of deferred calls; they die with the realization
};

}  // namespace sg::qt
