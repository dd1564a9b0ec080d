// The names of a job's files in the working folder: every file of job N begins with
// "renderJob" and N. The program that writes a job, its log window, its runner and the render
// tools all name them through these.
#pragma once
#include <string>
#include <string_view>

namespace sgbatch {

inline constexpr std::string_view kJobPrefix = "renderJob";

// "renderJob", the job's number as written, then what names the file.
inline std::string jobFile(std::string_view number, std::string_view what) {
  std::string name(kJobPrefix);
  name += number;
  name += what;
  return name;
}
inline std::string jobFile(long long n, std::string_view what) { return jobFile(std::to_string(n), what); }

inline std::string jobBatch(long long n) { return jobFile(n, ".bat"); }
inline std::string jobLog(long long n) { return jobFile(n, ".log"); }
inline std::string jobProgress(long long n) { return jobFile(n, "progress.log"); }
inline std::string jobOutput(long long n) { return jobFile(n, "output.log"); }
// The image of the k-th render since the last merge: renderJob<N>layer<k>.png.
inline std::string jobLayer(long long n, long long k) { return jobFile(n, "layer" + std::to_string(k) + ".png"); }
// Whether the file (its last part) is a job's layer image: one that the job's post processor
// merges or turns into the final image.
inline bool isJobLayer(std::string_view file) {
  const size_t slash = file.find_last_of("/\\");
  if (slash != std::string_view::npos) file.remove_prefix(slash + 1);
  auto digits = [&](std::string_view& s) {
    size_t n = 0;
    while (n < s.size() && s[n] >= '0' && s[n] <= '9') ++n;
    s.remove_prefix(n);
    return n > 0;
  };
  if (!file.starts_with(kJobPrefix)) return false;
  file.remove_prefix(kJobPrefix.size());
  if (!digits(file) || !file.starts_with("layer")) return false;
  file.remove_prefix(5);
  return digits(file) && file == ".png";
}

// The batch file that deletes every job file, and the pattern it deletes.
inline std::string jobsDeleteBatch() { return jobFile("", "Delete.bat"); }
inline std::string allJobFiles() { return jobFile("", "*"); }

}  // namespace sgbatch
