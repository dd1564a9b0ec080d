// Building a whole Render request, against writing the same batch file bytes with one write;
// both measured in the same run and reported as ratios. Two requests: 10 per-layer rows of 128
// layers each (1,280 renders), and 1,000 plain rows.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "best_of.h"
#include "forms/registry.h"
#include "jobs/post_processor_presence.h"
#include "mainwindow/form1.h"
#include "mainwindow/system_forms.h"
#include "platform/files.h"
#include "platform/services.h"

namespace {

using sg::bench::bestOf;

void removeJobFiles() {
  for (const auto& e : std::filesystem::directory_iterator("."))
    if (e.path().filename().string().rfind("renderJob", 0) == 0) std::filesystem::remove(e.path());
}

struct Bench {
  sg::platform::ScriptedDialogs dialogs;  // answers Yes to the question above 20 renders
  sg::platform::RecordingLauncher launcher;
  sg::platform::FixedClock clock;
  sg::platform::MapEnvironment env;
  sg::platform::Services services{dialogs, launcher, clock, env};
  sg::forms::Registry registry{services};
  sg::mainwindow::Form1* form1 = nullptr;

  Bench() {
    env.set("APPDATA", "appdata");
    env.set("LOCALAPPDATA", "localappdata");
    sg::mainwindow::registerSystemForms(registry);
    form1 = &registry.get<sg::mainwindow::Form1>("Form1");
  }

  void setRows(int count, const std::string& line) {
    auto o = form1->options();
    o.lock();
    o.stacklist.clear();
    for (int i = 0; i < count; ++i) o.stacklist.addItem(line);
    o.unlock();
    o.stacklist.setListIndex(0);
  }

  // Times the request and the single write of the bytes it produced; prints both and the ratio.
  void measure(const char* what, int runs) {
    std::string bytes;
    double request = bestOf(runs, [&] {
      removeJobFiles();
      form1->show();
      form1->Command5_Click();
    });
    auto content = sg::files::readAll("renderJob0.bat");
    if (!content || content->empty()) std::abort();
    bytes = *content;
    double write = bestOf(runs * 3, [&] {
      std::FILE* f = std::fopen("renderJob0copy.bat", "wb");
      if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
      std::fclose(f);
    });
    std::printf("%s: %zu bytes; request %.0f us, one write %.0f us; request / write = %.1f\n", what,
                bytes.size(), request, write, request / write);
  }
};

}  // namespace

int main() {
  auto dir = std::filesystem::temp_directory_path() / "sg-bench-render-request";
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  sg::files::writeLines(sg::jobs::kPostProcessorFile, {});
  {
    Bench b;
    b.setRows(10, "custom \"D:\\worlds\\a & b\" name \"layers\" normal north checkeachlayer automirror ");
    b.measure("10 rows x 128 layers (1,280 renders)", 5);
    b.setRows(1000, "custom \"D:\\worlds\\plain\" name \"rows\" normal north automirror ");
    b.measure("1,000 plain rows", 5);
  }
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return 0;
}
