#include "jobs/job_build.h"

#include "platform/text.h"

namespace sg::jobs {

long long counter(const forms::Control& field) {
  return text::roundHalfEven(text::numericValue(field.text()));
}

void setCounter(forms::Control& field, long long value) { field.setText(std::to_string(value)); }


void warn(forms::Registry& registry, const std::string& text) {
  registry.services().dialogs.message(text, platform::kTitle, platform::Icon::Exclamation,
                                      platform::Buttons::OK);
}

}  // namespace sg::jobs
