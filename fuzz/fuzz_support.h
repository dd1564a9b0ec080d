// Support for the fuzz targets: a working folder of their own (the readers read bare names in
// the current folder), files written from the input, and the program's windows loaded with
// scripted services, as the script driver loads them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "forms/registry.h"
#include "mainwindow/form1.h"
#include "mainwindow/system_forms.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/launcher.h"
#include "platform/services.h"

namespace sgfuzz {

// Moves into a fresh folder under the system's temporary folder, once per process.
inline void enterWorkingFolder(const char* target) {
  static bool entered = false;
  if (entered) return;
  entered = true;
  auto dir = std::filesystem::temp_directory_path() / (std::string("sg-fuzz-") + target + "-" +
                                                        std::to_string(reinterpret_cast<uintptr_t>(&entered) & 0xffff));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
}

inline void writeInput(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The program's windows, started as at the program's start, with every message answered Yes.
struct App {
  sg::platform::ScriptedDialogs dialogs;
  sg::platform::RecordingLauncher launcher;
  sg::platform::FixedClock clock;
  sg::platform::MapEnvironment env;
  sg::platform::Services services{dialogs, launcher, clock, env};
  std::unique_ptr<sg::forms::Registry> registry;

  App() {
    env.set("APPDATA", "appdata");
    env.set("LOCALAPPDATA", "localappdata");
    registry = std::make_unique<sg::forms::Registry>(services);
    sg::mainwindow::registerSystemForms(*registry);
  }
  sg::mainwindow::Form1& start() {
    auto& f1 = registry->get<sg::mainwindow::Form1>("Form1");
    registry->show(f1);
    return f1;
  }
};

}  // namespace sgfuzz

namespace sgfuzz {

// Writes the input as a file that the program reads at its start, then starts the windows.
inline void startWith(const char* file, const uint8_t* data, size_t size) {
  writeInput(file, data, size);
  App app;
  app.start();
}

}  // namespace sgfuzz
