// The main window's designer table: every control with its caption or items, geometry in
// twips, parent frame and start state. The window is shown 5250 (main column) or 12600 twips
// wide; hidden working fields lie beyond the wide edge.
#include "mainwindow/form1.h"
#include "settings/request_option_items.h"

namespace sg::mainwindow {

using forms::ControlTable;
using forms::Kind;
using forms::Style;

namespace {
constexpr int kLabelW = 1455;  // label column of the main column
constexpr int kFieldL = 1620;  // field column of the main column
constexpr int kFieldW = 3375;
constexpr int kRowH = 315;
constexpr int kHidden = 13200;  // left edge of the hidden working fields
}  // namespace

const ControlTable& Form1::controlTable() {
  static const ControlTable table = {
      // Main column.
      {.kind = Kind::Label, .name = "Label1", .caption = "World", .left = 120, .top = 150, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "comboworldfolders", .left = kFieldL, .top = 120, .width = kFieldW, .height = kRowH, .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "Label2", .caption = "Custom path", .left = 120, .top = 510, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "txtcustompath", .left = kFieldL, .top = 480, .width = kFieldW, .height = kRowH, .enabled = false},
      {.kind = Kind::Label, .name = "Label3", .caption = "Map name:", .left = 120, .top = 870, .width = kLabelW, .height = 255},
      {.kind = Kind::TextBox, .name = "txtmapname", .left = kFieldL, .top = 840, .width = kFieldW, .height = kRowH},
      {.kind = Kind::Label, .name = "Label4", .caption = "Style", .left = 120, .top = 1230, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "combostyle", .left = kFieldL, .top = 1200, .width = kFieldW, .height = kRowH,
       .items = {"Normal", "Heightmap, color", "Heightmap, gray", "Lightmap (experimental)", "Oblique", "Oblique, angled", "Isometric"},
       .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "Label5", .caption = "Orientation (up):", .left = 120, .top = 1590, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "comboorientation", .left = kFieldL, .top = 1560, .width = kFieldW, .height = kRowH,
       .items = {"North (Earth-like)", "East (Classic Strandvale)", "South", "West"}, .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "Label6", .caption = "Block filter:", .left = 120, .top = 1950, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "blockfiltercombo", .left = kFieldL, .top = 1920, .width = 2415, .height = kRowH,
       .items = {"Show all blocks", "Show only block(s):", "Show all except block(s):"}, .style = Style::DropDownList},
      {.kind = Kind::CommandButton, .name = "Command8", .caption = "Select...", .left = 4095, .top = 1905, .width = 900, .height = 345},
      {.kind = Kind::TextBox, .name = "blockfiltertext", .left = kFieldL, .top = 2280, .width = kFieldW, .height = kRowH},
      {.kind = Kind::Label, .name = "Label7", .caption = "Layer filter:", .left = 120, .top = 2670, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "layerfiltercombo", .left = kFieldL, .top = 2640, .width = 2415, .height = kRowH,
       .items = {"Show all layers", "Show only layer(s):", "Show all except layer(s):"}, .style = Style::DropDownList},
      {.kind = Kind::CommandButton, .name = "Command7", .caption = "Select...", .left = 4095, .top = 2625, .width = 900, .height = 345},
      {.kind = Kind::TextBox, .name = "layerfiltertext", .left = kFieldL, .top = 3000, .width = kFieldW, .height = kRowH},
      {.kind = Kind::CheckBox, .name = "checkeachlayer", .caption = "Render each layer individually", .left = 120, .top = 3480, .width = 4875, .height = 285},
      {.kind = Kind::CheckBox, .name = "checkwater", .caption = "Ignore water", .left = 120, .top = 3780, .width = 2355, .height = 285},
      {.kind = Kind::CheckBox, .name = "checkcave", .caption = "Cave mode", .left = 2640, .top = 3780, .width = 2355, .height = 285},
      {.kind = Kind::CheckBox, .name = "checknether", .caption = "Nether mode", .left = 120, .top = 4095, .width = 2355, .height = 285},
      {.kind = Kind::Label, .name = "lbldimension", .caption = "Dimension:", .left = 120, .top = 4125, .width = 960, .height = 255, .visible = false},
      {.kind = Kind::ComboBox, .name = "comboDimension", .left = 1095, .top = 4080, .width = 1380, .height = kRowH,
       .items = {"Nether", "Overworld", "Aether"}, .style = Style::DropDownList, .visible = false, .listIndex = 1},
      {.kind = Kind::CheckBox, .name = "checkwooloscopy", .caption = "Wooloscopy", .left = 2640, .top = 4095, .width = 2355, .height = 285},
      {.kind = Kind::CheckBox, .name = "checkbrightness", .caption = "Force brightness", .left = 120, .top = 4395, .width = 2355, .height = 285},
      {.kind = Kind::Label, .name = "Label8", .caption = "Time", .left = 120, .top = 4785, .width = kLabelW, .height = 255},
      {.kind = Kind::ComboBox, .name = "combotime", .left = kFieldL, .top = 4755, .width = kFieldW, .height = kRowH,
       .items = {"Day", "Twilight", "Night"}, .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "Label14", .caption = "Strandvale G", .left = 120, .top = 5160, .width = 4875, .height = 465, .fontSize = 14, .fontBold = true},
      {.kind = Kind::Label, .name = "Label15", .caption = "A front-end for the Strandvale G renderer", .left = 120, .top = 5685, .width = 4875, .height = 255},
      {.kind = Kind::Label, .name = "Label16", .caption = "Double-click the title for more settings", .left = 120, .top = 5955, .width = 4875, .height = 255},
      {.kind = Kind::Label, .name = "Label28", .caption = "@author", .left = 120, .top = 6225, .width = 4875, .height = 255},
      {.kind = Kind::CommandButton, .name = "Command6", .caption = "Advanced options", .left = 120, .top = 6690, .width = 2355, .height = 495},
      {.kind = Kind::CommandButton, .name = "Command5", .caption = "Render", .left = 2640, .top = 6690, .width = 2355, .height = 495, .isDefault = true},
      {.kind = Kind::Label, .name = "framelocation", .left = 120, .top = 4080, .width = 4875, .height = 2475, .visible = false},

      // Option panels, shown one at a time over the lower part of the main column.
      {.kind = Kind::Frame, .name = "frameI", .caption = "Image settings", .left = 120, .top = 4080, .width = 4875, .height = 2475, .visible = false},
      {.kind = Kind::CheckBox, .name = "checkmapmirror", .caption = "Mirror non-oriented axis", .left = 120, .top = 300, .width = 4635, .height = 285, .parent = "frameI"},
      {.kind = Kind::CheckBox, .name = "checkmapautomirror", .caption = "Suppress auto mirroring", .left = 120, .top = 630, .width = 4635, .height = 285, .parent = "frameI"},
      {.kind = Kind::CheckBox, .name = "checklowramwrite", .caption = "Low ram write mode", .left = 120, .top = 960, .width = 4635, .height = 285, .parent = "frameI"},
      {.kind = Kind::CheckBox, .name = "checkcropwhitespace", .caption = "Crop whitespace", .left = 360, .top = 1290, .width = 4395, .height = 285, .parent = "frameI", .enabled = false},
      {.kind = Kind::Label, .name = "Label20", .caption = "Zoom level:", .left = 360, .top = 1665, .width = 1215, .height = 255, .parent = "frameI"},
      {.kind = Kind::TextBox, .name = "zoomlevel", .caption = "1", .left = 1620, .top = 1635, .width = 975, .height = kRowH, .parent = "frameI", .enabled = false},
      {.kind = Kind::CheckBox, .name = "checkzoomablemap", .caption = "Zoomable map", .left = 120, .top = 2040, .width = 4635, .height = 285, .parent = "frameI"},

      {.kind = Kind::Frame, .name = "frameL", .caption = "Advanced location settings", .left = 120, .top = 4080, .width = 4875, .height = 2475, .visible = false},
      {.kind = Kind::CheckBox, .name = "checklocfile", .caption = "Generate detailed location file", .left = 120, .top = 300, .width = 4635, .height = 285, .parent = "frameL"},
      {.kind = Kind::CheckBox, .name = "checklocoffset", .caption = "Generate offset file", .left = 120, .top = 630, .width = 4635, .height = 285, .parent = "frameL"},
      {.kind = Kind::Label, .name = "Label21", .caption = "Chunks to render:", .left = 120, .top = 1005, .width = 1455, .height = 255, .parent = "frameL"},
      {.kind = Kind::ComboBox, .name = "combolocchunks", .left = 1620, .top = 975, .width = 3135, .height = kRowH, .parent = "frameL",
       .items = {"All (default)", "From marked offset file", "Manual range input"}, .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "Label22", .caption = "X Range:", .left = 120, .top = 1395, .width = 1095, .height = 255, .parent = "frameL"},
      {.kind = Kind::TextBox, .name = "manrangeminx", .caption = "0", .left = 1260, .top = 1365, .width = 1335, .height = kRowH, .parent = "frameL", .enabled = false},
      {.kind = Kind::Label, .name = "Label23", .caption = "to", .left = 2700, .top = 1395, .width = 375, .height = 255, .parent = "frameL"},
      {.kind = Kind::TextBox, .name = "manrangemaxx", .caption = "0", .left = 3120, .top = 1365, .width = 1335, .height = kRowH, .parent = "frameL", .enabled = false},
      {.kind = Kind::Label, .name = "Label24", .caption = "Z Range:", .left = 120, .top = 1755, .width = 1095, .height = 255, .parent = "frameL"},
      {.kind = Kind::TextBox, .name = "manrangeminz", .caption = "0", .left = 1260, .top = 1725, .width = 1335, .height = kRowH, .parent = "frameL", .enabled = false},
      {.kind = Kind::Label, .name = "Label25", .caption = "to", .left = 2700, .top = 1755, .width = 375, .height = 255, .parent = "frameL"},
      {.kind = Kind::TextBox, .name = "manrangemaxz", .caption = "0", .left = 3120, .top = 1725, .width = 1335, .height = kRowH, .parent = "frameL", .enabled = false},
      {.kind = Kind::CheckBox, .name = "checklocwhitespace", .caption = "Keep whitespace", .left = 120, .top = 2100, .width = 4635, .height = 285, .parent = "frameL"},

      {.kind = Kind::Frame, .name = "frameR", .caption = "Removed map settings", .left = 120, .top = 4080, .width = 4875, .height = 2475, .visible = false},
      {.kind = Kind::CheckBox, .name = "checkflip", .caption = "Flip", .left = 120, .top = 300, .width = 2235, .height = 285, .parent = "frameR"},
      {.kind = Kind::CheckBox, .name = "checkrotate", .caption = "Rotate", .left = 2520, .top = 300, .width = 2235, .height = 285, .parent = "frameR"},
      {.kind = Kind::CheckBox, .name = "checkxray", .caption = "X-ray mode", .left = 120, .top = 630, .width = 2235, .height = 285, .parent = "frameR"},
      {.kind = Kind::CheckBox, .name = "checkcake", .caption = "Cake mode", .left = 2520, .top = 630, .width = 2235, .height = 285, .parent = "frameR"},
      {.kind = Kind::CheckBox, .name = "checkupsidedown", .caption = "Upside-down mode", .left = 120, .top = 960, .width = 4635, .height = 285, .parent = "frameR"},
      {.kind = Kind::Label, .name = "lblgranularity", .caption = "Granularity:", .left = 120, .top = 1365, .width = 1215, .height = 255, .parent = "frameR"},
      {.kind = Kind::ComboBox, .name = "combogranularity", .left = 1380, .top = 1335, .width = 3375, .height = kRowH, .parent = "frameR",
       .items = {"0 Clear (default)", "1 Very smooth", "2 Quite smooth", "3 A bit smooth", "4 In between", "5 A bit rough", "6 Quite rough", "7 Very rough", "8 Coarse"},
       .style = Style::DropDownList},

      {.kind = Kind::Frame, .name = "frameU", .caption = "Unusual map settings", .left = 120, .top = 4080, .width = 4875, .height = 2475, .visible = false},

      // Advanced area: button column.
      {.kind = Kind::CommandButton, .name = "Command14", .caption = "Advanced Interface Settings", .left = 5280, .top = 120, .width = 2640, .height = 405},
      {.kind = Kind::CommandButton, .name = "saveAdvancedMapSettings", .caption = "Save Advanced options", .left = 5280, .top = 585, .width = 2640, .height = 405},
      {.kind = Kind::CommandButton, .name = "Command16", .caption = "Mods", .left = 5280, .top = 1050, .width = 2640, .height = 405},
      {.kind = Kind::CommandButton, .name = "toggleL", .caption = "Location", .left = 5280, .top = 1515, .width = 2640, .height = 405},
      {.kind = Kind::CommandButton, .name = "toggleI", .caption = "Image", .left = 5280, .top = 1980, .width = 2640, .height = 405},
      {.kind = Kind::CommandButton, .name = "toggleR", .caption = "Removed", .left = 5280, .top = 2445, .width = 2640, .height = 405},
      {.kind = Kind::CommandButton, .name = "toggleU", .caption = "Unusual", .left = 5280, .top = 2910, .width = 2640, .height = 405, .visible = false},

      // Advanced area: the stack.
      {.kind = Kind::Label, .name = "Label9", .caption = "Stack and merge renders", .left = 8100, .top = 150, .width = 4260, .height = 255},
      {.kind = Kind::ListBox, .name = "stacklist", .left = 8100, .top = 420, .width = 2835, .height = 2040},
      {.kind = Kind::Label, .name = "Label10", .caption = "<- Top layer", .left = 11010, .top = 450, .width = 1350, .height = 255},
      {.kind = Kind::Label, .name = "Label11", .caption = "<- Bottom layer", .left = 11010, .top = 2175, .width = 1350, .height = 255},
      {.kind = Kind::CommandButton, .name = "Command1", .caption = "Move up", .left = 8100, .top = 2550, .width = 1365, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command2", .caption = "Move down", .left = 9525, .top = 2550, .width = 1410, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command3", .caption = "Insert new", .left = 10995, .top = 2550, .width = 1365, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command4", .caption = "Delete", .left = 8100, .top = 2955, .width = 1365, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command13", .caption = "Duplicate", .left = 9525, .top = 2955, .width = 1410, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command9", .caption = "Reset to default", .left = 10995, .top = 2955, .width = 1365, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command10", .caption = "Save as default", .left = 8100, .top = 3360, .width = 2070, .height = 345},
      {.kind = Kind::CommandButton, .name = "Command11", .caption = "Clear default settings", .left = 10230, .top = 3360, .width = 2130, .height = 345},

      // Advanced area: batch file options.
      {.kind = Kind::Label, .name = "Label26", .caption = "Batch File Options", .left = 5280, .top = 3840, .width = 7080, .height = 255},
      {.kind = Kind::Label, .name = "Label12", .caption = "Map format", .left = 5280, .top = 4170, .width = 1335, .height = 255},
      {.kind = Kind::ComboBox, .name = "combomapformat", .left = 6660, .top = 4140, .width = 2295, .height = kRowH,
       .items = settings::kMapFormatItems, .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "Label13", .caption = "Verbosity", .left = 9060, .top = 4170, .width = 945, .height = 255},
      {.kind = Kind::ComboBox, .name = "comboverbosity", .left = 10035, .top = 4140, .width = 2325, .height = kRowH,
       .items = settings::kVerbosityItems, .style = Style::DropDownList},
      {.kind = Kind::CheckBox, .name = "checkdisablelogging", .caption = settings::kDisableLoggingCaption, .left = 5280, .top = 4545, .width = 3300, .height = 285},
      {.kind = Kind::CheckBox, .name = "checkdisablepostprocessor", .caption = settings::kDisablePostProcessorCaption, .left = 9060, .top = 4545, .width = 3300, .height = 285},
      {.kind = Kind::Label, .name = "Label17", .caption = "Output folder/file", .left = 5280, .top = 4935, .width = 1575, .height = 255},
      {.kind = Kind::TextBox, .name = "txtoutputfile", .left = 6900, .top = 4905, .width = 4935, .height = kRowH},
      {.kind = Kind::Label, .name = "Label18", .caption = ".png", .left = 11880, .top = 4935, .width = 480, .height = 255},

      // Advanced area: post processor options.
      {.kind = Kind::Label, .name = "Label27", .caption = "Post Processor options", .left = 5280, .top = 5400, .width = 7080, .height = 255},
      {.kind = Kind::CheckBox, .name = "checksurpressstacking", .caption = settings::kSuppressStackingCaption, .left = 5280, .top = 5715, .width = 3300, .height = 285},
      {.kind = Kind::CheckBox, .name = "checksurpressdeletion", .caption = settings::kSuppressDeletionCaption, .left = 9060, .top = 5715, .width = 3300, .height = 285},
      {.kind = Kind::CheckBox, .name = "checksurpressautomirroring", .caption = settings::kSuppressAutoMirroringCaption, .left = 5280, .top = 6030, .width = 3720, .height = 285},
      {.kind = Kind::CheckBox, .name = "checkmirror", .caption = settings::kMirrorCaption, .left = 9060, .top = 6030, .width = 3300, .height = 285},
      {.kind = Kind::Label, .name = "lblcombomirroring", .caption = "Mirroring", .left = 9060, .top = 6060, .width = 915, .height = 255, .visible = false},
      {.kind = Kind::ComboBox, .name = "combomirroring", .left = 10035, .top = 6030, .width = 2325, .height = kRowH,
       .items = settings::kMirroringItems, .style = Style::DropDownList, .visible = false},
      {.kind = Kind::Label, .name = "Label19", .caption = "Background", .left = 5280, .top = 6420, .width = 1335, .height = 255},
      {.kind = Kind::ComboBox, .name = "combobackground", .left = 6660, .top = 6390, .width = 2295, .height = kRowH,
       .items = settings::kBackgroundItems, .style = Style::DropDownList},
      {.kind = Kind::Label, .name = "lblcomborotation", .caption = "Rotation", .left = 9060, .top = 6420, .width = 915, .height = 255, .visible = false},
      {.kind = Kind::ComboBox, .name = "comborotation", .left = 10035, .top = 6390, .width = 2325, .height = kRowH,
       .items = settings::kRotationItems, .style = Style::DropDownList, .visible = false},

      // The last job's line, shown under the buttons once a job has ended (the window grows to
      // hold it): a small preview, what the job made and how it ended, and its open buttons.
      {.kind = Kind::Picture, .name = "picjob", .left = 120, .top = 7305, .width = 720, .height = 840, .visible = false},
      {.kind = Kind::Label, .name = "lbllastjob", .left = 930, .top = 7305, .width = 4065, .height = 480, .visible = false},
      {.kind = Kind::CommandButton, .name = "cmdopenimage", .caption = "Open image", .left = 930, .top = 7830, .width = 1305, .height = 315, .visible = false},
      {.kind = Kind::CommandButton, .name = "cmdopenfolder", .caption = "Open folder", .left = 2310, .top = 7830, .width = 1305, .height = 315, .visible = false},
      {.kind = Kind::CommandButton, .name = "cmdopenmap", .caption = "Open map", .left = 3690, .top = 7830, .width = 1305, .height = 315, .visible = false},

      // Hidden working fields.
      {.kind = Kind::TextBox, .name = "renderjob", .caption = "Text1", .left = kHidden, .top = 120, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::TextBox, .name = "totaljob", .caption = "Text1", .left = kHidden, .top = 480, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::TextBox, .name = "totaljobrenders", .caption = "Text1", .left = kHidden, .top = 840, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::TextBox, .name = "tempstackn", .caption = "Text1", .left = kHidden, .top = 1200, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::TextBox, .name = "genfile", .caption = "Text1", .left = kHidden, .top = 1560, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::TextBox, .name = "defaultset", .caption = "world 1 normal north", .left = kHidden, .top = 1920, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::ListBox, .name = "temppack", .left = kHidden, .top = 2280, .width = 1200, .height = 600, .visible = false},
      {.kind = Kind::ListBox, .name = "tempworlds", .left = kHidden, .top = 2940, .width = 1200, .height = 600, .visible = false},
      {.kind = Kind::ListBox, .name = "Dir1", .left = kHidden, .top = 3600, .width = 1200, .height = 600, .visible = false},
      {.kind = Kind::CheckBox, .name = "donotterminate", .caption = "Do not terminate", .left = kHidden, .top = 4260, .width = 1200, .height = 285, .visible = false},
      {.kind = Kind::CheckBox, .name = "checknosnooping", .caption = "no snooping", .left = kHidden, .top = 4620, .width = 1200, .height = 285, .visible = false},
      {.kind = Kind::CommandButton, .name = "Command12", .caption = "Clear all files", .left = kHidden, .top = 4980, .width = 1200, .height = 345, .visible = false},
      {.kind = Kind::TextBox, .name = "lastjobimage", .left = kHidden, .top = 6060, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::TextBox, .name = "lastjobmap", .left = kHidden, .top = 6420, .width = 1200, .height = kRowH, .visible = false},
      {.kind = Kind::ListBox, .name = "translate_caption", .left = kHidden, .top = 5400, .width = 1200, .height = 600,
       .items = translateCaptionList(), .visible = false},
  };
  return table;
}

}  // namespace sg::mainwindow
