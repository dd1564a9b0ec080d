// Opening the block filter dialog ("Select..." beside the block filter) in the real Qt windows,
// with the block lists a working folder may hold: the renderer's list of newer blocks (some 850),
// and a mod list of 10,000. Each is timed from the click to the dialog drawn, against opening
// the layer filter dialog in the same run, and printed as seconds and as that ratio.
// Usage: bench_block_dialog [rounds [largest]]   (QT_QPA_PLATFORM=offscreen unless set); with
// a largest list below 10,000 the mod list is left out.
#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "forms/registry.h"
#include "mainwindow/system_forms.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/services.h"
#include "qt/realization.h"

namespace fs = std::filesystem;

namespace {

void writeBlockList(const std::string& name, int first, int count) {
  std::ofstream out(name, std::ios::binary);
  for (int id = first; id < first + count; ++id)
    out << "SelectBlock " << id << "\r\nBlockName Block number " << id << " of a mod\r\n";
}

// Seconds from the click on `button` of the main window to `dialog` drawn, then unloaded again.
double openDialog(sg::forms::Registry& registry, sg::qt::QtRealization& realization, const char* button,
                  const char* dialog, int* entries = nullptr) {
  const auto t0 = std::chrono::steady_clock::now();
  registry.get("Form1").control(button).fire(sg::forms::Event::Click);
  QApplication::processEvents();
  if (QWidget* w = realization.widget(dialog, "Command3")) w->window()->grab();
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (entries) *entries = registry.get(dialog).control("comboonly").listCount();
  // Unloaded, so that every round opens it for the first time (the costly time: it loads its lists).
  registry.get(dialog).unload();
  registry.collect();
  QApplication::processEvents();
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int largest = argc > 2 ? std::atoi(argv[2]) : 10000;
  const fs::path work = fs::temp_directory_path() / ("sg-bench-dialog-" + std::to_string(::getpid()));
  fs::create_directories(work);
  fs::current_path(work);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  // Message boxes are answered at once (a working folder without the render tools has one).
  sg::platform::ScriptedDialogs dialogs;
  sg::platform::RecordingLauncher launcher;
  sg::platform::SystemClock clock;
  sg::platform::ProcessEnvironment environment;
  sg::platform::Services services{dialogs, launcher, clock, environment};
  sg::forms::Registry registry(services);
  sg::mainwindow::registerSystemForms(registry);
  sg::qt::QtRealization realization(registry);
  registry.show(registry.get("Form1"));
  QApplication::processEvents();

  struct Case {
    const char* label;
    int blocks;
  };
  for (const Case& c : {Case{"the newer blocks (850)", 850}, Case{"the newer blocks and a mod list of 10,000", 10000}}) {
    if (c.blocks > largest) break;
    if (c.blocks == 850) writeBlockList("newer-blocks.sgs", 110, 850);
    else writeBlockList("a-big-mod.sgs", 2000, 10000);
    double layers = 1e9, blocks = 1e9;
    int entries = 0;
    for (int r = 0; r < rounds; ++r) {
      layers = std::min(layers, openDialog(registry, realization, "Command7", "Form2"));
      blocks = std::min(blocks, openDialog(registry, realization, "Command8", "Form3", &entries));
    }
    std::printf("block dialog with %s (%d entries): %.3f s; layer dialog %.3f s; ratio %.1f\n", c.label, entries,
                blocks, layers, blocks / layers);
    std::fflush(stdout);
  }
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(work);
  return 0;
}
