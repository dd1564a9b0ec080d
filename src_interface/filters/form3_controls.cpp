// The block filter dialog's designer table. The hidden working fields lie beyond the right edge.
#include "filters/block_catalogue.h"
#include "filters/form3.h"

namespace sg::filters {

using forms::ControlTable;
using forms::Kind;
using forms::Style;

const ControlTable& Form3::controlTable() {
  constexpr int kHidden = 8400;
  constexpr int kListsTop = 480;
  constexpr int kListH = 4230;
  constexpr int kButtonsTop = 4830;
  static const ControlTable table = {
      {.kind = Kind::ListBox, .name = "List1", .left = 120, .top = kListsTop, .width = 3855, .height = kListH, .style = Style::Checkbox},
      {.kind = Kind::ComboBox, .name = "comboonlyfilter", .left = 4200, .top = 120, .width = 3855, .height = 315,
       .items = BlockCatalogue::filterItems(), .style = Style::DropDownList},
      {.kind = Kind::ListBox, .name = "comboonly", .left = 4200, .top = kListsTop, .width = 3855, .height = kListH, .style = Style::Checkbox},
      {.kind = Kind::CommandButton, .name = "Command1", .caption = "Remove checked", .left = 120, .top = kButtonsTop, .width = 1455, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command2", .caption = "Clear list", .left = 1635, .top = kButtonsTop, .width = 1155, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command3", .caption = "Confirm", .left = 2850, .top = kButtonsTop, .width = 1125, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command4", .caption = "Add checked", .left = 4200, .top = kButtonsTop, .width = 1815, .height = 375},
      {.kind = Kind::CommandButton, .name = "Command5", .caption = "Uncheck all", .left = 6240, .top = kButtonsTop, .width = 1815, .height = 375},
      {.kind = Kind::TextBox, .name = "shadowlist", .left = kHidden, .top = 120, .width = 1200, .height = 315, .visible = false},
      {.kind = Kind::ListBox, .name = "shadowalllist", .left = kHidden, .top = 480, .width = 1200, .height = 600, .visible = false},
      {.kind = Kind::ListBox, .name = "File1", .left = kHidden, .top = 1200, .width = 1200, .height = 600, .visible = false},
      {.kind = Kind::ListBox, .name = "translate_caption", .left = kHidden, .top = 1920, .width = 1200, .height = 600,
       .items = {"Command1", "Command2", "Command3", "Command4", "Command5"}, .visible = false},
  };
  return table;
}

}  // namespace sg::filters
