// The generic builder: one top-level widget for any window of the model, with a widget and a
// binder for each control, placed at its twips position inside its frame.
#pragma once
#include <QWidget>
#include <memory>
#include <vector>

#include "forms/form.h"
#include "qt/binder.h"

namespace sg::qt {

// A window's outer size in twips includes the classic border and title bar; the toolkit sizes
// the client area, which is this much smaller.
inline constexpr int kBorderWidthPx = 8;
inline constexpr int kBorderHeightPx = 34;

// The font every control of the windows uses.
QFont windowFont();

class FormWindow : public QWidget {
 public:
  FormWindow(forms::Form& form, WindowActions& actions);
  ~FormWindow() override;

  forms::Form* form() const { return form_; }
  const std::vector<std::unique_ptr<Binder>>& binders() const { return binders_; }
  Binder* binder(const forms::Control& c) const;
  QWidget* widget(const forms::Control& c) const;

  void showSizeAndCaption();
  // Tab order follows the controls' tab positions; renumbering comes in bursts, so the order
  // is applied once the burst is over.
  void scheduleTabOrder();
  void applyTabOrder();
  void tabOrderChanged() { scheduleTabOrder(); }
  // The window is unloading: no widget reaches the model any more.
  void detach();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  forms::Form* form_;
  WindowActions& actions_;
  std::vector<std::unique_ptr<Binder>> binders_;
  bool tabOrderPending_ = false;
};

}  // namespace sg::qt
