#include "support/probe_form.h"

#include <memory>

namespace sg::test {

using forms::Kind;
using forms::Style;

const forms::ControlTable& probeControls() {
  static const forms::ControlTable t = {
      {.kind = Kind::TextBox, .name = "txt", .left = 120, .top = 120, .width = 2400, .height = 315},
      {.kind = Kind::TextBox, .name = "num", .caption = "7", .left = 120, .top = 480, .width = 1200, .height = 315},
      {.kind = Kind::CheckBox, .name = "chk", .caption = "Check me", .left = 120, .top = 840, .width = 2400, .height = 285},
      {.kind = Kind::Frame, .name = "fra", .caption = "Choices", .left = 2700, .top = 120, .width = 3000, .height = 1100},
      {.kind = Kind::OptionButton, .name = "opt1", .caption = "One", .left = 120, .top = 300, .width = 1200, .height = 285, .parent = "fra", .value = 1},
      {.kind = Kind::OptionButton, .name = "opt2", .caption = "Two", .left = 120, .top = 660, .width = 1200, .height = 285, .parent = "fra"},
      {.kind = Kind::OptionButton, .name = "opt3", .caption = "Three", .left = 2700, .top = 1300, .width = 1200, .height = 285, .value = 1},
      {.kind = Kind::ComboBox, .name = "lst", .left = 120, .top = 1200, .width = 2400, .height = 315, .items = {"a", "b", "c"}, .style = Style::DropDownList, .listIndex = 0},
      {.kind = Kind::ComboBox, .name = "edt", .caption = "free", .left = 120, .top = 1560, .width = 2400, .height = 315, .items = {"x", "y"}},
      {.kind = Kind::ListBox, .name = "plain", .left = 120, .top = 1920, .width = 2400, .height = 900, .items = {"p0", "p1", "p2"}},
      {.kind = Kind::ListBox, .name = "ticks", .left = 2700, .top = 1920, .width = 2400, .height = 900, .items = {"t0", "t1", "t2"}, .style = Style::Checkbox},
      {.kind = Kind::Label, .name = "lbl", .caption = "A label", .left = 120, .top = 2940, .width = 2400, .height = 255},
      {.kind = Kind::CommandButton, .name = "ok", .caption = "OK", .left = 2700, .top = 2940, .width = 1200, .height = 375, .isDefault = true},
      {.kind = Kind::CommandButton, .name = "bye", .caption = "Bye", .left = 4000, .top = 2940, .width = 1200, .height = 375},
      {.kind = Kind::TextBox, .name = "field", .caption = "hidden", .left = 7000, .top = 120, .width = 1200, .height = 315, .visible = false},
      {.kind = Kind::Timer, .name = "tmr", .interval = 20, .timerEnabled = false},
  };
  return t;
}

void registerProbe(forms::Registry& registry, const forms::ControlTable& table, int width, int height) {
  registry.registerForm("Probe", [table, width, height](forms::Registry& r) {
    auto f = std::make_unique<forms::Form>(r, "Probe", "Probe window", width, height);
    f->declare(table);
    return f;
  });
}

}  // namespace sg::test
