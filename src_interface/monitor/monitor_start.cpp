#include "monitor/monitor_start.h"

namespace sg::monitor {

void openProgressMonitor(forms::Registry&, int, int) {}

}  // namespace sg::monitor
