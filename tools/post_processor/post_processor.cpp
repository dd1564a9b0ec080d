#include "post_processor/post_processor.h"

#include <algorithm>
#include <filesystem>

#include "batch/job_failures.h"
#include "post_processor/row_merge.h"
#include "post_processor/post_arguments.h"
#include "system/atomic_file.h"

namespace sgpost {

namespace {

// Says why a step failed: on standard error, and as the job's failure line where the step
// belongs to a job (its inputs are the job's layer images).
int failed(const std::vector<std::string>& words, const std::string& output, const std::string& reason,
           std::ostream& errors) {
  errors << "post processor: " << reason << "\n";
  if (auto log = sgbatch::jobOutputLog(words))
    sgbatch::appendJobFailure(*log, "post processing" + (output.empty() ? std::string() : " of " + output), reason);
  return 1;
}

// A job's intermediate image, renderJob<N>layer<k>.png.
bool isLayerImage(const std::string& name) {
  const std::string base = std::filesystem::path(name).filename().string();
  return sgbatch::jobOutputLog(base) && base.find("layer") != std::string::npos && base.size() > 4 &&
         base.compare(base.size() - 4, 4, ".png") == 0;
}

}  // namespace

int runPostProcessor(const std::vector<std::string>& words, std::ostream& errors) {
  std::string error;
  auto args = parsePostArguments(words, error);
  if (!args) return failed(words, "", error, errors);
  if (!sgsys::makeFolderFor(args->output, error) || !mergeRowByRow(*args, error)) {
    // A failed job leaves none of its layer images behind: only the player's files stay.
    if (args->deleteInputs)
      for (const auto& name : args->inputs) {
        std::error_code ec;
        if (isLayerImage(name)) std::filesystem::remove(name, ec);
      }
    return failed(words, args->output, error, errors);
  }
  if (args->deleteInputs) {
    for (const auto& name : args->inputs) {
      std::error_code ec;
      // An input that is also the output now holds the result and must stay.
      if (std::filesystem::equivalent(name, args->output, ec)) continue;
      std::filesystem::remove(name, ec);
    }
  }
  return 0;
}

}  // namespace sgpost
