#include "monitor/job_log.h"

#include <fstream>
#include <string_view>

#include "batch/job_files.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sg::monitor {

bool readJobLogInto(const std::string& jobLog, forms::Control& progresslist) {
  auto content = files::readAll(jobLog);
  if (!content) return false;
  const std::string& c = *content;
  size_t pos = 0;
  int i = 0;
  std::string_view s;
  // Read a line while the end has not been reached, then compare; the comparison runs once
  // even for an empty file.
  do {
    if (pos < c.size()) s = text::nextLine(c, pos);
    if (i == progresslist.listCount()) {
      if (!s.empty()) progresslist.addItem(std::string(s));
    } else if (progresslist.list(i) != s) {
      progresslist.setList(i, std::string(s));
    }
    if (!s.empty()) ++i;
  } while (pos < c.size());
  return true;
}

std::vector<std::string> jobFailures(const std::string& outputLog) {
  constexpr size_t kShown = 50, kLongest = 4096;
  std::vector<std::string> failures;
  // The log also keeps everything the tools printed, which may be long: it is read a line at a
  // time, and only the failure lines are kept.
  std::ifstream in(outputLog, std::ios::binary);
  for (std::string line; failures.size() < kShown && std::getline(in, line);) {
    if (line.rfind("Failed: ", 0) != 0) continue;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kLongest) line.resize(kLongest);
    failures.push_back(std::move(line));
  }
  return failures;
}

std::string withPlayersImages(const std::string& failure, const std::vector<std::string>& logLines) {
  constexpr std::string_view kRendering = "Rendering ";
  std::string out = failure;
  for (const std::string& line : logLines) {
    // "Rendering renderJob<N>layer<k>.png (<image>)"
    if (line.rfind(kRendering, 0) != 0) continue;
    const size_t open = line.find(" (", kRendering.size());
    if (open == std::string::npos || line.back() != ')') continue;
    const std::string layer = line.substr(kRendering.size(), open - kRendering.size());
    if (layer.rfind(sgbatch::kJobPrefix, 0) != 0 || layer.find("layer") == std::string::npos) continue;
    const std::string named = layer + line.substr(open);
    for (size_t at = out.find(layer); at != std::string::npos; at = out.find(layer, at + named.size())) {
      if (out.compare(at, named.size(), named) != 0) out.replace(at, layer.size(), named);
    }
  }
  return out;
}

std::string currentTaskCaption(const std::string& progressFile) {
  // The percentage is a short number; a first line of megabytes must not make a tick slow.
  auto line = files::readFirstLine(progressFile, 256);
  if (!line) return {};
  std::string t = text::trimBlanks(*line);
  auto dot = t.find('.');
  if (dot != std::string::npos) t.resize(dot);
  return "(Current task: " + t + "%)";
}

std::string taskCaption(int entries, const std::string& total) {
  return "Task " + std::to_string(entries - 1) + " of " + total + " ";
}

bool overallPercentage(int entries, const std::string& total, long long& percent) {
  double t = text::numericValue(total);
  if (t == 0) return false;
  percent = text::roundHalfEven((100.0 / t) * (entries - 2));
  return true;
}

}  // namespace sg::monitor
