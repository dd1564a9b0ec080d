// The layer filter dialog's designer table and its legend of notable heights.
#include "filters/form2.h"

namespace sg::filters {

using forms::ControlTable;
using forms::Kind;
using forms::Style;

const ControlTable& Form2::controlTable() {
  constexpr int kListTop = 1020;
  constexpr int kListH = 3840;
  static const ControlTable table = {
      {.kind = Kind::Label, .name = "Label2", .caption = "Layer:", .left = 120, .top = 150, .width = 1695, .height = 255},
      {.kind = Kind::TextBox, .name = "Text1", .left = 1860, .top = 120, .width = 735, .height = 315},
      {.kind = Kind::CommandButton, .name = "add1", .caption = "Add to list", .left = 4080, .top = 105, .width = 1455, .height = 345},
      {.kind = Kind::Label, .name = "Label3", .caption = "Add layers between", .left = 120, .top = 570, .width = 1695, .height = 255},
      {.kind = Kind::TextBox, .name = "Text2", .left = 1860, .top = 540, .width = 735, .height = 315},
      {.kind = Kind::Label, .name = "Label4", .caption = "and", .left = 2655, .top = 570, .width = 540, .height = 255},
      {.kind = Kind::TextBox, .name = "Text3", .left = 3240, .top = 540, .width = 735, .height = 315},
      {.kind = Kind::CommandButton, .name = "addm", .caption = "Add multiple", .left = 4080, .top = 525, .width = 1455, .height = 345},
      {.kind = Kind::ListBox, .name = "List1", .left = 120, .top = kListTop, .width = 1455, .height = kListH, .style = Style::Checkbox},
      {.kind = Kind::CommandButton, .name = "Command1", .caption = "Remove checked", .left = 1680, .top = kListTop, .width = 1455, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command2", .caption = "Clear list", .left = 1680, .top = kListTop + 480, .width = 1455, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command3", .caption = "Confirm", .left = 1680, .top = kListTop + 960, .width = 1455, .height = 375},
      {.kind = Kind::Label, .name = "Label1", .left = 3240, .top = kListTop, .width = 3495, .height = kListH},
      {.kind = Kind::ListBox, .name = "translate_caption", .left = 7000, .top = 120, .width = 1200, .height = 600,
       .items = {"Label2", "Label3", "Label4", "Command1", "Command2", "Command3", "add1", "addm"}, .visible = false},
  };
  return table;
}

const std::string& Form2::legend() {
  static const std::string text = [] {
    std::string out;
    for (const char* line :
         {"128 The void", "127 Highest Level", "84  Above highest sand", "68  Above highest Iron ore",
          "64  Above sea level", "36  Above highest Lapis Lazuli and Gold",
          "32  Above lava level (nether)", "20  Above highest Diamond and Redstone",
          "11  Above lava level", "5   Above highest Bedrock", "0   Solid bedrock", "-1  The Void"}) {
      if (!out.empty()) out += '\r';
      out += line;
    }
    return out;
  }();
  return text;
}

}  // namespace sg::filters
