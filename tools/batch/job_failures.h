// The failure lines of a job: every tool that fails in a job appends one line naming the step
// and the reason to renderJob<N>output.log in the working folder, whatever runs the batch file,
// so that the log window can say why a job gave no image.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace sgbatch {

// Every failure line begins with this.
inline constexpr const char* kFailurePrefix = "Failed: ";

// The job's output log named after any of its files (renderJob<N>.bat, renderJob<N>progress.log,
// renderJob<N>layer<k>.png ...), or nullopt when the name is not a job file.
std::optional<std::string> jobOutputLog(const std::string& jobFileName);
// The first of the names that belongs to a job.
std::optional<std::string> jobOutputLog(const std::vector<std::string>& names);

// Appends "Failed: <step>: <reason>" and CR LF; false when the file cannot be written.
bool appendJobFailure(const std::string& outputLog, const std::string& step, const std::string& reason);

}  // namespace sgbatch
