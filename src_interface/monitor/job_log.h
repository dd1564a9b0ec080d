// Reading the job log and the progress file of a running job into the log window's controls.
#pragma once
#include <string>
#include <vector>

#include "forms/control.h"

namespace sg::monitor {

// Reads the job log from its start into the list: entry i takes the i-th non-empty line where
// it differs (entries are never removed; an empty line is written into the next entry and
// overwritten by the next non-empty one). False when the log cannot be opened or read.
bool readJobLogInto(const std::string& jobLog, forms::Control& progresslist);

// The caption for the current task from the first line of the progress file:
// "(Current task: 42%)", or empty when the file is missing, empty or unreadable.
std::string currentTaskCaption(const std::string& progressFile);

// The failure lines that the job's tools left in renderJob<N>output.log ("Failed: " and the
// step and reason), at most a screenful of them; empty when the job had none.
std::vector<std::string> jobFailures(const std::string& outputLog);

// The failure line with the player's own image named beside each of the job's layer images
// ("renderJob1layer0.png (Hilltop_normal_north.png)"), as the job log's "Rendering" lines pair them.
std::string withPlayersImages(const std::string& failure, const std::vector<std::string>& logLines);

// "Task 3 of 7 " for 4 entries and the total text "7".
std::string taskCaption(int entries, const std::string& total);

// The overall percentage (100 / T) * (L - 2), rounded halves to even; false when T is 0 or not a
// number.
bool overallPercentage(int entries, const std::string& total, long long& percent);

}  // namespace sg::monitor
