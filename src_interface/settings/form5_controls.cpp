// The settings dialog's designer table, in twips: the save-folder group, the world folder
// flags and the world name group in the left column, the custom path history in the right
// column, the notes and the three buttons at the bottom. The hidden record fields (the
// advanced options mirror and the loading flag) lie beyond the right edge.
#include "settings/request_option_items.h"
#include "settings/form5.h"

namespace sg::settings {

using forms::ControlDecl;
using forms::ControlTable;
using forms::Kind;
using forms::Style;

namespace {
constexpr int kLeftL = 120;     // left column
constexpr int kColumnW = 4575;
constexpr int kRightL = 4935;   // right column
constexpr int kOptionW = 255;   // an option button beside its path box
constexpr int kPathL = kLeftL + 300;
constexpr int kPathW = kColumnW - 300;
constexpr int kRowH = 285;
constexpr int kButtonH = 375;
constexpr int kHidden = 10200;  // hidden fields, beyond the right edge

// A hidden copy of one of the main window's request options, recorded with the interface
// settings.
ControlDecl mirrorCheck(const char* name, const char* caption, int top) {
  return {.kind = Kind::CheckBox, .name = name, .caption = caption, .left = kHidden, .top = top, .width = 1800, .height = kRowH, .visible = false};
}
ControlDecl mirrorList(const char* name, const std::vector<std::string>& items, int top) {
  return {.kind = Kind::ComboBox, .name = name, .left = kHidden, .top = top, .width = 1800, .height = kRowH, .items = items,
          .style = Style::DropDownList, .visible = false, .listIndex = 0};
}
ControlDecl mirrorText(const char* name, int top) {
  return {.kind = Kind::TextBox, .name = name, .left = kHidden, .top = top, .width = 1800, .height = kRowH, .visible = false};
}
}  // namespace

const ControlTable& Form5::controlTable() {
  static const ControlTable table = [] {
    ControlTable t = {
        // Left column: the saves folder.
        {.kind = Kind::Label, .name = "Label1", .caption = "Override Minecraft save folder settings", .left = kLeftL, .top = 120, .width = kColumnW, .height = 255},
        {.kind = Kind::OptionButton, .name = "oppathappdata", .left = kLeftL, .top = 420, .width = kOptionW, .height = kRowH, .value = 1},
        {.kind = Kind::TextBox, .name = "txtdefapp", .left = kPathL, .top = 420, .width = kPathW, .height = kRowH, .locked = true},
        {.kind = Kind::OptionButton, .name = "oppathlocalappdata", .left = kLeftL, .top = 765, .width = kOptionW, .height = kRowH},
        {.kind = Kind::TextBox, .name = "txtdeflocalapp", .left = kPathL, .top = 765, .width = kPathW, .height = kRowH, .locked = true},
        {.kind = Kind::OptionButton, .name = "oppathcustom", .left = kLeftL, .top = 1110, .width = kOptionW, .height = kRowH},
        {.kind = Kind::TextBox, .name = "customsavepath", .left = kPathL, .top = 1110, .width = kPathW, .height = kRowH},
        // Left column: world folders.
        {.kind = Kind::CheckBox, .name = "worldfoldernosnooping", .caption = "  Do not load world folders", .left = kLeftL, .top = 1530, .width = kColumnW, .height = kRowH},
        {.kind = Kind::CheckBox, .name = "worldfolderalpha", .caption = "  Show Alpha world folders", .left = kLeftL, .top = 1830, .width = kColumnW, .height = kRowH},
        // Left column: world names.
        {.kind = Kind::Label, .name = "Label6", .caption = "World name generation", .left = kLeftL, .top = 2250, .width = kColumnW, .height = 255},
        {.kind = Kind::CheckBox, .name = "worldnameempty", .caption = "  Do not use folder name as world name", .left = kLeftL, .top = 2550, .width = kColumnW, .height = kRowH},
        {.kind = Kind::CheckBox, .name = "worldnamenosnooping", .caption = "  Do not check for the existence of Level.dat", .left = kLeftL, .top = 2850, .width = kColumnW, .height = kRowH},
        {.kind = Kind::CheckBox, .name = "worldnamenoparsing", .caption = "  Do not parse IP periods to dashes", .left = kLeftL, .top = 3150, .width = kColumnW, .height = kRowH},
        {.kind = Kind::CheckBox, .name = "worldnamenoserverprefix", .caption = "  Do not use server name prefix", .left = kLeftL, .top = 3450, .width = kColumnW, .height = kRowH},
        // Right column: the custom path history.
        {.kind = Kind::Label, .name = "Label7", .caption = "Custom path history", .left = kRightL, .top = 120, .width = kColumnW, .height = 255},
        {.kind = Kind::CheckBox, .name = "custompathnoloading", .caption = "  Do not load custom path history", .left = kRightL, .top = 420, .width = kColumnW, .height = kRowH},
        {.kind = Kind::CheckBox, .name = "custompathnosaving", .caption = "  Do not save new paths to custom path history", .left = kRightL, .top = 720, .width = kColumnW, .height = kRowH},
        {.kind = Kind::ListBox, .name = "custompathlist", .left = kRightL, .top = 1065, .width = kColumnW, .height = 1950},
        {.kind = Kind::TextBox, .name = "custompathinput", .left = kRightL, .top = 3090, .width = kColumnW, .height = kRowH},
        {.kind = Kind::CommandButton, .name = "Command3", .caption = "Move up", .left = kRightL, .top = 3450, .width = 1080, .height = kButtonH},
        {.kind = Kind::CommandButton, .name = "Command4", .caption = "Move down", .left = kRightL + 1165, .top = 3450, .width = 1080, .height = kButtonH},
        {.kind = Kind::CommandButton, .name = "Command5", .caption = "Delete", .left = kRightL + 2330, .top = 3450, .width = 1080, .height = kButtonH},
        {.kind = Kind::CommandButton, .name = "Command7", .caption = "Duplicate", .left = kRightL + 3495, .top = 3450, .width = 1080, .height = kButtonH},
        // Bottom: notes and buttons.
        {.kind = Kind::Label, .name = "Label2", .caption = "Changes are saved immediately.", .left = kLeftL, .top = 4080, .width = kColumnW, .height = 255},
        {.kind = Kind::Label, .name = "Label3", .caption = "Some require a restart to apply.", .left = kLeftL, .top = 4350, .width = kColumnW, .height = 255},
        {.kind = Kind::CommandButton, .name = "Command1", .caption = "Clear all files", .left = kRightL, .top = 4080, .width = 1470, .height = kButtonH},
        {.kind = Kind::CommandButton, .name = "Command2", .caption = "Close", .left = kRightL + 1552, .top = 4080, .width = 1470, .height = kButtonH},
        {.kind = Kind::CommandButton, .name = "Command6", .caption = "Restart", .left = kRightL + 3105, .top = 4080, .width = 1470, .height = kButtonH},
        // Hidden record fields.
        {.kind = Kind::ListBox, .name = "translate_caption", .left = kHidden, .top = 4800, .width = 1800, .height = 600,
         .items = {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7",
                   "Label1", "Label2", "Label3", "Label6", "Label7", "custompathnoloading",
                   "custompathnosaving", "worldnamenoserverprefix", "worldnamenoparsing",
                   "worldnamenosnooping", "worldnameempty", "worldfolderalpha",
                   "worldfoldernosnooping", "", "", "", ""},
         .visible = false},
        {.kind = Kind::CheckBox, .name = "currentlyloading", .caption = "currentlyloading", .left = kHidden, .top = 120, .width = 1800, .height = kRowH, .visible = false},
    };
    // The advanced options' record, one row apart.
    const int top = 480, row = 360;
    t.push_back(mirrorList("combomapformat", settings::kMapFormatItems, top));
    t.push_back(mirrorList("comboverbosity", settings::kVerbosityItems, top + row));
    t.push_back(mirrorCheck("checkdisablelogging", settings::kDisableLoggingCaption, top + 2 * row));
    t.push_back(mirrorCheck("checkdisablepostprocessor", settings::kDisablePostProcessorCaption, top + 3 * row));
    t.push_back(mirrorText("txtoutputfile", top + 4 * row));
    t.push_back(mirrorCheck("checksurpressstacking", settings::kSuppressStackingCaption, top + 5 * row));
    t.push_back(mirrorCheck("checksurpressdeletion", settings::kSuppressDeletionCaption, top + 6 * row));
    t.push_back(mirrorCheck("checksurpressautomirroring", settings::kSuppressAutoMirroringCaption, top + 7 * row));
    t.push_back(mirrorCheck("checkmirror", settings::kMirrorCaption, top + 8 * row));
    t.push_back(mirrorList("combomirroring", settings::kMirroringItems, top + 9 * row));
    t.push_back(mirrorList("combobackground", settings::kBackgroundItems, top + 10 * row));
    t.push_back(mirrorList("comborotation", settings::kRotationItems, top + 11 * row));
    return t;
  }();
  return table;
}

}  // namespace sg::settings
