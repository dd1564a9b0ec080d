// Discovering the world folders of a saves folder with 10,000 worlds (each holding its level
// file), against a plain listing of the same folder; both measured in the same run and
// reported as a ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "best_of.h"
#include "forms/registry.h"
#include "mainwindow/form1.h"
#include "mainwindow/system_forms.h"
#include "options/world_discovery.h"
#include "platform/services.h"

using sg::bench::bestOf;

int main() {
  namespace fs = std::filesystem;
  const int kWorlds = 10000;
  auto dir = fs::temp_directory_path() / "sg-bench-discovery";
  fs::remove_all(dir);
  fs::path saves = dir / "appdata" / ".minecraft" / "saves";
  for (int i = 0; i < kWorlds; ++i) {
    fs::path world = saves / ("World " + std::to_string(i));
    fs::create_directories(world / "region");
    std::ofstream(world / "level.dat") << "x";
    std::ofstream(world / "session.lock") << "x";
  }
  fs::current_path(dir);

  sg::platform::ScriptedDialogs dialogs;
  sg::platform::RecordingLauncher launcher;
  sg::platform::FixedClock clock;
  sg::platform::MapEnvironment env;
  env.set("APPDATA", (dir / "appdata").string());
  sg::platform::Services services{dialogs, launcher, clock, env};
  sg::forms::Registry registry(services);
  sg::mainwindow::registerSystemForms(registry);
  auto& form1 = registry.get<sg::mainwindow::Form1>("Form1");
  auto o = form1.options();

  size_t listed = 0;
  double plain = bestOf(5, [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(saves))
      if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    listed = names.size();
  });
  double discovery = bestOf(5, [&] { sg::options::loadworldfolders(o); });

  int found = o.comboworldfolders.listCount() - 1;
  std::printf("worlds: %d listed, %d discovered, %zu messages\n", static_cast<int>(listed), found,
              dialogs.messages().size());
  std::printf("plain listing: %.0f us\n", plain);
  std::printf("discovery:     %.0f us\n", discovery);
  std::printf("ratio discovery / plain listing: %.1f\n", discovery / plain);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  return found == kWorlds ? 0 : 1;
}
