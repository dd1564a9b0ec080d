#include "monitor/form4.h"

#include <algorithm>

#include "locale/translate.h"
#include "batch/job_files.h"
#include "monitor/job_log.h"
#include "monitor/job_progress.h"
#include "monitor/stopped_job.h"
#include "platform/files.h"

namespace sg::monitor {

using forms::Event;

Form4::Form4(forms::Registry& registry) : Form(registry, "Form4", "Strandvale G Log", 6570, 5430) {
  declare(controlTable());
  control("Timer1").on(Event::Timer, [this] { Timer1_Timer(); });
  control("Command1").on(Event::Click, [this] { Command1_Click(); });
  control("Command2").on(Event::Click, [this] { Command2_Click(); });
  control("Command3").on(Event::Click, [this] { Command3_Click(); });
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
  control("Command3").setEnabled(true);
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

void Form4::finish(bool stopped) {
  control("Timer1").setTimerEnabled(false);
  control("Command3").setEnabled(false);
  const std::string total = control("totaljob").text();
  if (stopped) {
    // The task under way, as the window counted it (its list holds the job log's first line
    // and now the line saying that the job was stopped too).
    const int begun = control("progresslist").listCount() - 2;
    control("lbltask").setCaption("Task " + std::to_string(std::max(begun, 0)) + " of " + total + " stopped at " +
                                  services().clock.timeOfDay());
  } else {
    control("lbltask").setCaption("Task " + total + " of " + total + " completed at " +
                                  services().clock.timeOfDay());
    control("lblpercentage").setCaption("100%");
    control("progressbar").setValue(100);
  }
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

// The job and everything it started end at once; what they left half-made is cleared, the log
// says so, and the window finishes as for an ended job.
void Form4::Command3_Click() {
  if (!control("Timer1").timerEnabled()) return;
  const std::string number = control("renderjob").text();
  services().launcher.stop(sgbatch::jobFile(number, ".bat"));
  readJobLogInto(jobLogName(), control("progresslist"));
  clearStoppedJob(number);
  control("progresslist").addItem("Job stopped at " + services().clock.timeOfDay());
  finish(true);
}

void Form4::showMainWindow() {
  if (auto* f1 = registry().find("Form1")) f1->show();
}

}  // namespace sg::monitor
