#include "sample_window.h"

namespace sg::test {

using forms::Event;
using forms::Kind;
using forms::Style;

std::string& sampleTrace() {
  static std::string trace;
  return trace;
}

namespace {

void note(const std::string& what) { sampleTrace() += what + ' '; }

class Sample : public forms::Form {
 public:
  explicit Sample(forms::Registry& r) : Form(r, "Form1", "Sample", 6000, 4000) {
    declare({
        {.kind = Kind::TextBox, .name = "txtName", .left = 100, .top = 100},
        {.kind = Kind::TextBox, .name = "txtLocked", .left = 100, .top = 500, .locked = true},
        {.kind = Kind::CheckBox, .name = "check1", .caption = "Check", .left = 100, .top = 900},
        {.kind = Kind::ComboBox, .name = "comboEdit", .left = 100, .top = 1300, .items = {"alpha", "beta"}},
        {.kind = Kind::ListBox, .name = "List1", .left = 100, .top = 1700, .items = {"one", "two", "three"}},
        {.kind = Kind::ListBox, .name = "ticks", .left = 100, .top = 2100, .items = {"a", "b"}, .style = Style::Checkbox},
        {.kind = Kind::Frame, .name = "Frame1", .caption = "F", .left = 3000, .top = 100, .width = 2000, .height = 2000},
        {.kind = Kind::OptionButton, .name = "opt1", .left = 100, .top = 300, .parent = "Frame1", .value = 1},
        {.kind = Kind::OptionButton, .name = "opt2", .left = 100, .top = 700, .parent = "Frame1"},
        {.kind = Kind::OptionButton, .name = "optFar", .left = 3100, .top = 1100, .parent = "Frame1"},
        {.kind = Kind::Label, .name = "Label1", .caption = "Title", .left = 3000, .top = 2500},
        {.kind = Kind::CommandButton, .name = "cmdAsk", .caption = "Ask", .left = 3000, .top = 2900},
        {.kind = Kind::CommandButton, .name = "cmdLaunch", .caption = "Go", .left = 3000, .top = 3300},
        {.kind = Kind::CommandButton, .name = "cmdQuit", .caption = "Quit", .left = 4500, .top = 3300},
        {.kind = Kind::CommandButton, .name = "cmdFar", .caption = "Far", .left = 7000, .top = 100},
        {.kind = Kind::CommandButton, .name = "cmdHidden", .left = 100, .top = 3300, .visible = false},
        {.kind = Kind::Timer, .name = "Timer1", .interval = 1000},
        {.kind = Kind::Timer, .name = "Timer2", .interval = 1000, .timerEnabled = false},
        {.kind = Kind::CheckBox, .name = "keepOpen", .visible = false},
        {.kind = Kind::CheckBox, .name = "stayAlive", .visible = false},
    });
    control("txtName").on(Event::Change, [this] { note("txtName:Change=" + control("txtName").text()); });
    control("check1").on(Event::Click, [this] { note("check1:Click=" + std::to_string(control("check1").value())); });
    control("comboEdit").on(Event::Click, [] { note("comboEdit:Click"); });
    control("comboEdit").on(Event::Change, [] { note("comboEdit:Change"); });
    control("List1").on(Event::Click, [] { note("List1:Click"); });
    control("List1").on(Event::DblClick, [this] { note("List1:DblClick=" + control("List1").text()); });
    control("ticks").onItem(Event::ItemCheck, [](int i) { note("ticks:ItemCheck=" + std::to_string(i)); });
    control("opt2").on(Event::Click, [] { note("opt2:Click"); });
    control("Label1").on(Event::Click, [] { note("Label1:Click"); });
    control("Label1").on(Event::DblClick, [] { note("Label1:DblClick"); });
    control("cmdAsk").on(Event::Click, [this] {
      auto& d = services().dialogs;
      auto a = d.message("Go on?\r\nReally?", "Sample", platform::Icon::Exclamation, platform::Buttons::YesNo);
      note(std::string("answer=") + platform::answerName(a));
      d.message("Done", "Sample", platform::Icon::Information, platform::Buttons::OK);
    });
    control("cmdLaunch").on(Event::Click, [this] {
      services().launcher.start("renderJob1.bat", true);
      services().dialogs.message("Started at " + services().clock.timeOfDay(), "Sample",
                                 platform::Icon::None, platform::Buttons::OK);
    });
    control("cmdQuit").on(Event::Click, [this] { unload(); });
    control("Timer1").on(Event::Timer, [this] {
      note("Timer1:Timer");
      // The third tick closes the window, as a monitor does when its job ends.
      if (++ticks_ == 3) registry().unload(*this);
    });
    control("Timer2").on(Event::Timer, [] { note("Timer2:Timer"); });
  }
  void Form_Load() override { note("Form1:Load"); }
  bool Form_QueryUnload() override { return control("keepOpen").value() == 0; }
  void Form_Unload() override {
    if (control("stayAlive").value() == 0) registry().endProgram();
  }

 private:
  int ticks_ = 0;
};

}  // namespace

void registerSampleForms(forms::Registry& registry) {
  registry.registerForm("Form1", [](forms::Registry& r) { return std::make_unique<Sample>(r); });
  registry.registerForm("Other", [](forms::Registry& r) {
    return std::make_unique<forms::Form>(r, "Other", "Other", 3000, 2000);
  });
}

}  // namespace sg::test
