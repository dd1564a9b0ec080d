// A loaded main window for job tests: the post processor present, one world listed, and a
// settings dialog (the real one when it is loaded, else a stand-in with the controls that the
// job procedures read).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/main_window.h"
#include "support/working_folder.h"

namespace sg::test {

class JobWindow {
 public:
  JobWindow();
  MainWindow& w() { return *window_; }
  options::RenderOptions o() { return window_->options(); }
  forms::Control& c(const char* name) { return window_->c(name); }
  forms::Form& form5();
  forms::Control& f5(const char* name) { return form5().control(name); }
  platform::ScriptedDialogs& dialogs() { return window_->svc.dialogs; }
  platform::RecordingLauncher& launcher() { return window_->svc.launcher; }

  // Makes the selected row the given line (loaded as a selection would).
  void row(const std::string& line) { window_->loadLine(line); }
  // Appends a row and loads it.
  void addRow(const std::string& line);
  void render() { window_->form1->Command5_Click(); }

 private:
  std::unique_ptr<MainWindow> window_;
};

// The lines of a file written with CR LF ends; fails the test on a bare LF.
std::vector<std::string> crlfLines(const std::string& file);

// The line of a level option entry as the writer normalises "folder World1 name <map>".
std::string plainEntry(const std::string& map);

}  // namespace sg::test
