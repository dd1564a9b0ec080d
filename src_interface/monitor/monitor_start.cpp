#include "monitor/monitor_start.h"

#include <string>

#include "monitor/form4.h"

namespace sg::monitor {

void openProgressMonitor(forms::Registry& registry, int job, int tasks) {
  auto& f = registry.get<Form4>("Form4");
  f.show();
  f.resetme();
  f.control("renderjob").setText(std::to_string(job));
  f.control("totaljob").setText(std::to_string(tasks));
  f.control("Timer1").setTimerEnabled(true);
}

}  // namespace sg::monitor
