#include "job_window.h"

#include <gtest/gtest.h>

#include "jobs/post_processor_presence.h"

namespace sg::test {

namespace {

// The controls of the settings dialog that the job procedures read.
class StandInForm5 : public forms::Form {
 public:
  explicit StandInForm5(forms::Registry& r) : Form(r, "Form5", "Advanced Interface Settings", 6000, 6000) {
    using forms::Kind;
    declare({{.kind = Kind::CheckBox, .name = "custompathnosaving"},
             {.kind = Kind::ListBox, .name = "custompathlist"},
             {.kind = Kind::OptionButton, .name = "oppathappdata", .value = 1},
             {.kind = Kind::OptionButton, .name = "oppathlocalappdata"},
             {.kind = Kind::OptionButton, .name = "oppathcustom"},
             {.kind = Kind::TextBox, .name = "customsavepath"}});
  }
};

}  // namespace

JobWindow::JobWindow() {
  writeFile(jobs::kPostProcessorFile, "");
  window_ = std::make_unique<MainWindow>();
  window_->setWorlds({"World1"});
  if (!window_->registry.find("Form5")) {
    window_->registry.registerForm("Form5", [](forms::Registry& r) { return std::make_unique<StandInForm5>(r); });
    window_->registry.get("Form5");
  }
  row(plainEntry("base"));
}

forms::Form& JobWindow::form5() { return *window_->registry.find("Form5"); }

void JobWindow::addRow(const std::string& line) {
  auto& list = c("stacklist");
  list.addItem(line);
  list.setListIndex(list.listCount() - 1);
}

std::vector<std::string> crlfLines(const std::string& file) {
  std::string content = readFile(file);
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < content.size()) {
    size_t end = content.find("\r\n", pos);
    if (end == std::string::npos) {
      ADD_FAILURE() << file << " ends without CR LF: " << content.substr(pos);
      lines.push_back(content.substr(pos));
      break;
    }
    std::string line = content.substr(pos, end - pos);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "bare LF in " << file;
    lines.push_back(line);
    pos = end + 2;
  }
  return lines;
}

std::string plainEntry(const std::string& map) {
  return "folder \"World1\" name \"" + map + "\" normal north automirror ";
}

}  // namespace sg::test
