#include "support/main_window.h"

#include "options/level_option_line.h"

namespace sg::test {

void MainWindow::loadLine(const std::string& line) {
  auto o = options();
  o.stacklist.setList(o.stacklist.listIndex(), line);
  options::stacklist_Click(o);
}

}  // namespace sg::test
