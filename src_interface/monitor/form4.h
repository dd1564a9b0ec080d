// The log window, Form4: follows a running job through its job log and the renderer's progress
// file, polled once a second, and returns to the main window when the job has ended.
#pragma once
#include "forms/registry.h"

namespace sg::monitor {

class Form4 : public forms::Form {
 public:
  explicit Form4(forms::Registry& registry);
  static const forms::ControlTable& controlTable();

  void Form_Load() override;
  void Form_Unload() override;

  void resetme();
  void trypercentagetask();
  void Timer1_Timer();
  void Command1_Click();  // "Hide until finished"
  void Command2_Click();  // "Return to main screen"
  void Command3_Click();  // "Stop job": ends the job and everything it started

  std::string jobLogName() const;
  std::string progressFileName() const;

 private:
  void finish(bool stopped = false);
  void showMainWindow();
};

}  // namespace sg::monitor
