// The log window's progress bar, beside its labels: the bar moves with the current task as well
// as the finished ones, and says how long the job has left, once the progress has moved for a
// few seconds and the rate can be told. The state of the estimate is kept in the bar's tag.
#pragma once
#include <optional>
#include <string>

#include "forms/control.h"

namespace sg::monitor {

// The current task's percent from the first line of the progress file; nullopt when the file
// is missing, empty or holds no number.
std::optional<double> currentTaskPercent(const std::string& progressFile);

// The job's percent: the finished tasks and the current task's share of the next, of all tasks.
int jobPercent(int entries, const std::string& total, std::optional<double> currentTask);

// "About 40 seconds left", "About 3 minutes left", "About 2 hours left".
std::string timeLeftText(double seconds);

// Sets the bar to the job's percent and its caption to the time left (empty while it cannot
// be told). The time of day is "hh:mm:ss"; the estimate starts from the first tick at which
// the bar moved, and speaks once it has moved for five seconds since.
void showJobProgress(forms::Control& bar, int percent, const std::string& timeOfDay);
// Forgets the estimate (a new job).
void resetJobProgress(forms::Control& bar);

}  // namespace sg::monitor
