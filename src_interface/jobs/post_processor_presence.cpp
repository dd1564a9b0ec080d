#include "jobs/post_processor_presence.h"

#include "platform/files.h"

namespace sg::jobs {

// FileExists matches the name without regard to case, so the batch lines' lower-case
// spelling of the same file is found on any file system.
void checkpostprocessor(options::RenderOptions& o) {
  if (!files::FileExists(kPostProcessorFile)) o.checkdisablepostprocessor.setValue(2);
}

}  // namespace sg::jobs
