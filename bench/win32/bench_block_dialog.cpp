// Opening the block filter dialog ("Select..." beside the block filter) in the native windows,
// with the renderer's list of newer blocks (850) and a mod list of 10,000: each timed from the
// click to the dialog painted, against opening the layer filter dialog in the same run, and
// printed as seconds and as that ratio. Run it under Wine in a folder of its own:
// Usage: bench_block_dialog.exe [rounds [largest]]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "forms/registry.h"
#include "mainwindow/system_forms.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/services.h"
#include "win32/realization.h"

namespace {

void writeBlockList(const std::string& name, int first, int count) {
  std::ofstream out(name, std::ios::binary);
  for (int id = first; id < first + count; ++id)
    out << "SelectBlock " << id << "\r\nBlockName Block number " << id << " of a mod\r\n";
}

// Runs the windows' waiting messages, painting included.
void settle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

double openDialog(sg::forms::Registry& registry, const char* button, const char* dialog, int* entries = nullptr) {
  const auto t0 = std::chrono::steady_clock::now();
  registry.get("Form1").control(button).fire(sg::forms::Event::Click);
  settle();
  const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (entries) *entries = registry.get(dialog).control("comboonly").listCount();
  registry.get(dialog).unload();
  registry.collect();
  settle();
  return took;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                                  ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
  const int largest = argc > 2 ? _wtoi(argv[2]) : 10000;
  // Message boxes are answered at once (a folder without the render tools has one at start).
  sg::platform::ScriptedDialogs dialogs;
  sg::platform::RecordingLauncher launcher;
  sg::platform::SystemClock clock;
  sg::platform::ProcessEnvironment environment;
  sg::platform::Services services{dialogs, launcher, clock, environment};
  sg::forms::Registry registry(services);
  sg::mainwindow::registerSystemForms(registry);
  sg::win32::Win32Realization realization(registry);
  registry.show(registry.get("Form1"));
  settle();
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
      layers = std::min(layers, openDialog(registry, "Command7", "Form2"));
      blocks = std::min(blocks, openDialog(registry, "Command8", "Form3", &entries));
    }
    std::printf("block dialog with %s (%d entries): %.3f s; layer dialog %.3f s; ratio %.1f\n", c.label, entries,
                blocks, layers, blocks / layers);
    std::fflush(stdout);
  }
  return 0;
}
