// A loaded main window for tests, with the scripted services and a chosen world list.
#pragma once
#include <string>
#include <vector>

#include "forms/registry.h"
#include "mainwindow/form1.h"
#include "mainwindow/system_forms.h"
#include "support/test_services.h"

namespace sg::test {

struct MainWindow {
  TestServices svc;
  forms::Registry registry{svc.services};
  mainwindow::Form1* form1 = nullptr;

  MainWindow() {
    useSavesFolder();
    mainwindow::registerSystemForms(registry);
    form1 = &registry.get<mainwindow::Form1>("Form1");
  }
  // The game's saves folder of a test: an empty folder below the working folder, named by
  // APPDATA, so that start-up finds no worlds and shows no message unless a test adds some.
  static std::string savesFolder();
  void useSavesFolder();
  options::RenderOptions options() { return form1->options(); }
  forms::Control& c(const char* name) { return form1->control(name); }
  // A control of the settings dialog, which exists from start-up on.
  forms::Control& dialog(const char* name) { return registry.get("Form5").control(name); }

  // Replaces the world list (the last entry stands for a custom path).
  void setWorlds(const std::vector<std::string>& worlds) {
    auto o = options();
    o.lock();
    o.comboworldfolders.clear();
    for (const auto& w : worlds) o.comboworldfolders.addItem(w);
    o.comboworldfolders.addItem("Custom");
    o.comboworldfolders.setListIndex(0);
    o.unlock();
  }
  std::string selectedLine() {
    auto& s = c("stacklist");
    return s.list(s.listIndex());
  }
  // Puts a line into the selected entry and loads it, as a selection would.
  void loadLine(const std::string& line);
};

}  // namespace sg::test
