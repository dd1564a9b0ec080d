#include "script/reporting_launcher.h"

namespace sg::script {

bool ReportingLauncher::start(const std::string& batchFile, bool minimised) {
  if (report_) report_(batchFile, minimised);
  return recorder_.start(batchFile, minimised);
}

bool ReportingLauncher::open(const std::string& path, platform::Opening what) {
  if (opened_) opened_(std::string("open ") + platform::openingName(what) + ' ' + path);
  return recorder_.open(path, what);
}

}  // namespace sg::script
