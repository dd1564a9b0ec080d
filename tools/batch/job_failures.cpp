#include "batch/job_failures.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "batch/job_files.h"

namespace sgbatch {

std::optional<std::string> jobOutputLog(const std::string& jobFileName) {
  std::string base = std::filesystem::path(jobFileName).filename().string();
  const std::string_view prefix = sgbatch::kJobPrefix;
  if (base.size() <= prefix.size()) return std::nullopt;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(base[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return std::nullopt;
  size_t end = prefix.size();
  while (end < base.size() && std::isdigit(static_cast<unsigned char>(base[end]))) ++end;
  if (end == prefix.size() || end - prefix.size() > 6) return std::nullopt;
  std::filesystem::path folder = std::filesystem::path(jobFileName).parent_path();
  return (folder / jobFile(std::string_view(base).substr(prefix.size(), end - prefix.size()), "output.log")).string();
}

std::optional<std::string> jobOutputLog(const std::vector<std::string>& names) {
  for (const auto& n : names)
    if (auto log = jobOutputLog(n)) return log;
  return std::nullopt;
}

bool appendJobFailure(const std::string& outputLog, const std::string& step, const std::string& reason) {
  FILE* f = std::fopen(outputLog.c_str(), "ab");
  if (!f) return false;
  std::string line = std::string(kFailurePrefix) + step + ": " + reason + "\r\n";
  bool ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace sgbatch
