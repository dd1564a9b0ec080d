#include "support/main_window.h"

#include <filesystem>

#include "options/level_option_line.h"
#include "support/working_folder.h"

namespace sg::test {

std::string MainWindow::savesFolder() {
  return workingFolder() + native("/appdata/.minecraft/saves/");
}

void MainWindow::useSavesFolder() {
  std::filesystem::create_directories(savesFolder());
  svc.environment.set("APPDATA", workingFolder() + native("/appdata"));
}

void MainWindow::loadLine(const std::string& line) {
  auto o = options();
  o.stacklist.setList(o.stacklist.listIndex(), line);
  options::stacklist_Click(o);
}

}  // namespace sg::test
