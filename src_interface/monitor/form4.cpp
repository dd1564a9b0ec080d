#include "monitor/form4.h"

#include "locale/translate.h"
#include "batch/job_files.h"
#include "monitor/job_log.h"
#include "monitor/job_progress.h"
#include "platform/files.h"

namespace sg::monitor {

using forms::Event;

Form4::Form4(forms::Registry& registry) : Form(registry, "Form4", "Strandvale G Log", 6570, 4950) {
  declare(controlTable());
  control("Timer1").on(Event::Timer, [this] { Timer1_Timer(); });
  control("Command1").on(Event::Click, [this] { Command1_Click(); });
  control("Command2").on(Event::Click, [this] { Command2_Click(); });
}

void Form4::Form_Load() { locale::translateForm(registry(), name()); }

// Closing the window, or its unloading, stops following the job like "Return to main screen".
void Form4::Form_Unload() {
  control("Timer1").setTimerEnabled(false);
  showMainWindow();
}

std::string Form4::jobLogName() const { return sgbatch::jobFile(control("renderjob").text(), ".log"); }
std::string Form4::progressFileName() const {
  return sgbatch::jobFile(control("renderjob").text(), "progress.log");
}

void Form4::resetme() {
  control("progresslist").clear();
  control("lblpercentage").setCaption("");
  control("lblpercentagetask").setCaption("");
  control("lbltask").setCaption("");
  control("checkdontclose").setValue(0);
  resetJobProgress(control("progressbar"));
}

void Form4::trypercentagetask() {
  control("lblpercentagetask").setCaption(currentTaskCaption(progressFileName()));
}

void Form4::Timer1_Timer() {
  if (!files::FileExists(jobLogName())) { finish(); return; }
  auto& list = control("progresslist");
  if (!readJobLogInto(jobLogName(), list)) { finish(); return; }
  const int entries = list.listCount();
  const std::string total = control("totaljob").text();
  control("lbltask").setCaption(taskCaption(entries, total));
  long long percent = 0;
  if (!overallPercentage(entries, total, percent)) { finish(); return; }
  control("lblpercentage").setCaption(std::to_string(percent) + "%");
  trypercentagetask();
  // The labels count finished tasks; the bar moves with the current one too.
  showJobProgress(control("progressbar"), jobPercent(entries, total, currentTaskPercent(progressFileName())),
                  services().clock.timeOfDay());
}

void Form4::finish() {
  control("Timer1").setTimerEnabled(false);
  const std::string total = control("totaljob").text();
  control("lbltask").setCaption("Task " + total + " of " + total + " completed at " +
                                services().clock.timeOfDay());
  control("lblpercentage").setCaption("100%");
  control("progressbar").setValue(100);
  control("progressbar").setCaption("");
  // A job whose tools failed says why, and the window stays open to show it.
  const auto failures = jobFailures(sgbatch::jobFile(control("renderjob").text(), "output.log"));
  std::vector<std::string> logLines;
  for (int i = 0; i < control("progresslist").listCount(); ++i) logLines.push_back(control("progresslist").list(i));
  for (const auto& f : failures) control("progresslist").addItem(withPlayersImages(f, logLines));
  if (control("checkdontclose").value() == 0 && failures.empty()) Command2_Click();
  else show();
}

void Form4::Command1_Click() {
  hide();
  if (!control("Timer1").timerEnabled() || control("lblpercentage").caption() == "100%")
    showMainWindow();
}

void Form4::Command2_Click() {
  hide();
  control("Timer1").setTimerEnabled(false);
  showMainWindow();
}

void Form4::showMainWindow() {
  if (auto* f1 = registry().find("Form1")) f1->show();
}

}  // namespace sg::monitor
