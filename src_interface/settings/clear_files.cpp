#include "settings/clear_files.h"

#include "batch/job_files.h"
#include "platform/files.h"

namespace sg::settings {

namespace {

void warn(forms::Registry& registry, const std::string& text) {
  registry.services().dialogs.message(text, platform::kTitle, platform::Icon::Exclamation, platform::Buttons::OK);
}

}  // namespace

void clearAllFiles(forms::Registry& registry) {
  auto& services = registry.services();
  auto answer = services.dialogs.message(
      "This will delete all files whose name start with \"renderJob\", including any files you chose "
      "not to delete or renamed as such.\rAre you sure you want to continue?",
      platform::kTitle, platform::Icon::Exclamation, platform::Buttons::YesNo);
  if (answer != platform::Answer::Yes) return;
  const std::string batch = sgbatch::jobsDeleteBatch();
  if (!files::appendLine(batch, "del " + sgbatch::allJobFiles())) {
    warn(registry, "Warning: could not write deletion command to " + batch);
    return;
  }
  if (!services.launcher.start(batch, true)) warn(registry, "Warning: could not start " + batch);
}

}  // namespace sg::settings
