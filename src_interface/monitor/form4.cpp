#include "monitor/form4.h"

#include <algorithm>

#include "locale/translate.h"
#include "batch/job_files.h"
#include "monitor/job_log.h"
#include "monitor/job_progress.h"
#include "monitor/last_job.h"
#include "monitor/stopped_job.h"
#include "platform/files.h"

namespace sg::monitor {

using forms::Event;

Form4::Form4(forms::Registry& registry) : Form(registry, "Form4", "Strandvale G Log", 9990, 5430) {
  declare(controlTable());
  control("Timer1").on(Event::Timer, [this] { Timer1_Timer(); });
  control("Command1").on(Event::Click, [this] { Command1_Click(); });
  control("Command2").on(Event::Click, [this] { Command2_Click(); });
  control("Command3").on(Event::Click, [this] { Command3_Click(); });
  control("Command4").on(Event::Click, [this] { Command4_Click(); });
  control("Command5").on(Event::Click, [this] { Command5_Click(); });
  control("Command6").on(Event::Click, [this] { Command6_Click(); });
  control("outputlist").on(Event::Click, [this] { outputlist_Click(); });
  control("Timer2").on(Event::Timer, [this] { Timer2_Timer(); });
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
  preview_.cancel();
  control("Timer2").setTimerEnabled(false);
  outputs_.clear();
  control("outputlist").clear();
  control("lblresult").setCaption("The pictures show here when the job ends");
  control("picpreview").setPicture({});
  for (const char* c : {"Command4", "Command5", "Command6"}) control(c).setEnabled(false);
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
  showResult(stopped ? "stopped" : failures.empty() ? "completed" : "failed");
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

void Form4::showResult(const std::string& how) {
  outputs_ = jobOutputs(control("renderjob").text());
  auto& list = control("outputlist");
  {
    forms::Control::ItemsBurst burst(list);
    list.clear();
    for (const JobOutput& o : outputs_) list.addItem(outputEntry(o));
  }
  control("lblresult").setCaption(madeCaption(outputs_));
  const int shown = outputToShow(outputs_);
  if (auto* main = registry().find("Form1"))
    showLastJob(*main, shown < 0 ? JobOutput{} : outputs_[static_cast<size_t>(shown)],
                lastJobLine(outputs_, how, services().clock.timeOfDay()));
  list.setListIndex(shown);
}

// Shows the selected output: its buttons, and its preview once read (a small image at once, a
// large one by the preview timer while the window goes on).
void Form4::outputlist_Click() {
  const int i = control("outputlist").listIndex();
  const bool any = i >= 0 && i < static_cast<int>(outputs_.size());
  const JobOutput chosen = any ? outputs_[static_cast<size_t>(i)] : JobOutput{};
  control("Command4").setEnabled(chosen.made);
  control("Command5").setEnabled(chosen.made);
  control("Command6").setEnabled(chosen.mapMade);
  preview_.cancel();
  control("picpreview").setPicture({});
  if (!chosen.made) {
    control("Timer2").setTimerEnabled(false);
    return;
  }
  // Twice the box's size at the standard scale keeps the preview sharp on a screen at 200%.
  const auto& box = control("picpreview");
  preview_.start(chosen, box.width() * 2 / 15, box.height() * 2 / 15);
  if (preview_.ready(kPreviewWaitMs)) takePreview();
  else control("Timer2").setTimerEnabled(true);
}

void Form4::Timer2_Timer() {
  if (preview_.busy() && preview_.ready()) takePreview();
  if (!preview_.busy()) control("Timer2").setTimerEnabled(false);
}

void Form4::takePreview() {
  forms::Picture picture = preview_.take();
  control("Timer2").setTimerEnabled(false);
  const int i = control("outputlist").listIndex();
  // The main window's small preview is of its last job's image.
  if (auto* main = registry().find("Form1"); main && i >= 0 && i == outputToShow(outputs_))
    showLastJobPicture(*main, outputs_[static_cast<size_t>(i)].image, picture);
  control("picpreview").setPicture(std::move(picture));
}

void Form4::Command4_Click() { open(platform::Opening::File); }
void Form4::Command5_Click() { open(platform::Opening::Folder); }
void Form4::Command6_Click() { open(platform::Opening::Page); }

void Form4::open(platform::Opening what) {
  const int i = control("outputlist").listIndex();
  if (i < 0 || i >= static_cast<int>(outputs_.size())) return;
  openResult(registry(), outputs_[static_cast<size_t>(i)], what);
}

void Form4::showMainWindow() {
  if (auto* f1 = registry().find("Form1")) f1->show();
}

}  // namespace sg::monitor
