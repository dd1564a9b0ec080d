// Message boxes as real modal Qt message boxes. Tests answer them through a hook instead of a
// click; the realization asks whether a box is open before destroying unloaded windows.
#pragma once
#include <functional>

#include "platform/dialogs.h"

#include <QString>

class QMessageBox;

namespace sg::qt {

class QtDialogs : public platform::Dialogs {
 public:
  platform::Answer message(const std::string& text, const std::string& title, platform::Icon icon,
                           platform::Buttons buttons) override;

  // Runs once the box is on screen; it answers by pressing one of the box's buttons.
  void setAnswerHook(std::function<void(QMessageBox&)> hook) { hook_ = std::move(hook); }
  // True while a box is open (its own event loop runs underneath a handler).
  bool open() const { return depth_ > 0; }

 private:
  std::function<void(QMessageBox&)> hook_;
  int depth_ = 0;
};

// The text of a box as shown: CR, LF and CR LF each end a line.
QString messageText(const std::string& text);

}  // namespace sg::qt
