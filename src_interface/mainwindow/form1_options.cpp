// The main window's handlers of the level option line and the world boxes.
#include "mainwindow/form1.h"
#include "options/level_option_line.h"
#include "options/option_handlers.h"
#include "options/world_handlers.h"

namespace sg::mainwindow {

void Form1::stacklist_Click() { auto o = options(); options::stacklist_Click(o); }
void Form1::plainOption_Changed() { auto o = options(); options::writeleveloptions(o); }
void Form1::checklowramwrite_Click() { auto o = options(); options::checklowramwrite_Click(o); }
void Form1::checknether_Click() { auto o = options(); options::checknether_Click(o); }
void Form1::zoomlevel_Change() { auto o = options(); options::zoomlevel_Change(o); }
void Form1::combolocchunks_Click() { auto o = options(); options::combolocchunks_Click(o); }
void Form1::combolocchunks_Change() { combolocchunks_Click(); }
void Form1::manrange_Change() { auto o = options(); options::writeleveloptions(o); }
void Form1::Command9_Click() { auto o = options(); options::resetToDefault(o, services().dialogs); }
void Form1::comboworldfolders_Click() { auto o = options(); options::comboworldfolders_Click(o); }
void Form1::txtcustompath_Change() { auto o = options(); options::txtcustompath_Change(o); }
void Form1::txtcustompath_Click() { txtcustompath_Change(); }
void Form1::txtcustompath_LostFocus() {}
void Form1::txtmapname_Change() { auto o = options(); options::txtmapname_Change(o); }
void Form1::txtoutputfile_Change() { auto o = options(); options::txtoutputfile_Change(o); }

}  // namespace sg::mainwindow
