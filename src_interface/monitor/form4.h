// The log window, Form4: follows a running job through its job log and the renderer's progress
// file, polled once a second, and returns to the main window when the job has ended.
#pragma once
#include <vector>

#include "forms/registry.h"
#include "monitor/job_result.h"
#include "monitor/picture_preview.h"
#include "platform/launcher.h"

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
  void Command4_Click();  // "Open image"
  void Command5_Click();  // "Open folder"
  void Command6_Click();  // "Open map"
  void outputlist_Click();
  void Timer2_Timer();    // the preview, once it is read

  std::string jobLogName() const;
  std::string progressFileName() const;

 private:
  // How long a preview is waited for before the window goes on and the timer takes it.
  static constexpr int kPreviewWaitMs = 500;

  void finish(bool stopped = false);
  void showMainWindow();
  // Lists what the job made, shows the last image made, and gives the main window its line.
  void showResult(const std::string& how);
  void takePreview();
  void open(platform::Opening what);

  std::vector<JobOutput> outputs_;
  PreviewLoader preview_;
};

}  // namespace sg::monitor
