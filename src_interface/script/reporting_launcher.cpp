#include "script/reporting_launcher.h"

namespace sg::script {

bool ReportingLauncher::start(const std::string& batchFile, bool minimised) {
  if (report_) report_(batchFile, minimised);
  return recorder_.start(batchFile, minimised);
}

}  // namespace sg::script
