// A log window tick on a job log of 100,000 lines where one line changed, against reading the
// same file once; both measured in the same run, reported as a ratio.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "best_of.h"
#include "forms/registry.h"
#include "monitor/form4.h"
#include "monitor/monitor_start.h"
#include "platform/files.h"
#include "platform/services.h"

namespace {

using sg::bench::bestOf;

void writeLog(const std::string& name, int lines, int changed) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  for (int i = 0; i < lines; ++i)
    out << "Rendering task " << i << (i == changed ? " (now complete)" : "") << " of the job\r\n";
}

}  // namespace

int main() {
  auto dir = std::filesystem::temp_directory_path() / "sg-bench-monitor";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  sg::platform::ScriptedDialogs dialogs;
  sg::platform::RecordingLauncher launcher;
  sg::platform::FixedClock clock;
  sg::platform::ProcessEnvironment env;
  sg::platform::Services services{dialogs, launcher, clock, env};
  sg::forms::Registry registry(services);
  registry.registerForm("Form4", [](sg::forms::Registry& r) { return std::make_unique<sg::monitor::Form4>(r); });

  const int kLines = 100000;
  writeLog("renderJob0.log", kLines, -1);
  sg::monitor::openProgressMonitor(registry, 0, kLines);
  auto& timer = registry.get("Form4").control("Timer1");
  timer.tick();  // the first tick fills the list

  // Each round changes one line (untimed), then times one tick.
  double tickOnly = 1e300;
  for (int r = 0; r < 15; ++r) {
    writeLog("renderJob0.log", kLines, r * 997 % kLines);
    auto t0 = std::chrono::steady_clock::now();
    timer.tick();
    auto t1 = std::chrono::steady_clock::now();
    tickOnly = std::min(tickOnly, std::chrono::duration<double, std::micro>(t1 - t0).count());
  }
  double read = bestOf(15, [&] {
    auto c = sg::files::readAll("renderJob0.log");
    if (!c || c->empty()) std::abort();
  });
  std::printf("job log of %d lines: read once %.0f us, tick %.0f us; tick / read = %.2f\n", kLines,
              read, tickOnly, tickOnly / read);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}
