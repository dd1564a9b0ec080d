#include "mainwindow/form1.h"

namespace sg::mainwindow {

using forms::Event;

Form1::Form1(forms::Registry& registry)
    : Form(registry, "Form1", "Strandvale G", kDesignWidth, kDesignHeight) {
  declare(controlTable());
  wireHandlers();
}

void Form1::wireHandlers() {
  auto on = [this](const char* control, Event e, void (Form1::*handler)()) {
    this->control(control).on(e, [this, handler] { (this->*handler)(); });
  };
  // Frame.
  on("Command6", Event::Click, &Form1::Command6_Click);
  on("toggleI", Event::Click, &Form1::toggleI_Click);
  on("toggleL", Event::Click, &Form1::toggleL_Click);
  on("toggleR", Event::Click, &Form1::toggleR_Click);
  on("toggleU", Event::Click, &Form1::toggleU_Click);
  on("Label14", Event::DblClick, &Form1::Label14_DblClick);
  on("Command7", Event::Click, &Form1::Command7_Click);
  on("Command8", Event::Click, &Form1::Command8_Click);
  on("Command14", Event::Click, &Form1::Command14_Click);
  on("Command16", Event::Click, &Form1::Command16_Click);
  on("cmdopenimage", Event::Click, &Form1::cmdopenimage_Click);
  on("cmdopenfolder", Event::Click, &Form1::cmdopenfolder_Click);
  on("cmdopenmap", Event::Click, &Form1::cmdopenmap_Click);

  // Level option line.
  on("stacklist", Event::Click, &Form1::stacklist_Click);
  for (const char* c : {"blockfiltercombo", "layerfiltercombo", "checkbrightness", "checkcake",
                        "checkcave", "checkcropwhitespace", "checkeachlayer", "checkflip",
                        "checklocfile", "checklocoffset", "checklocwhitespace",
                        "checkmapautomirror", "checkmapmirror", "checkrotate", "checkupsidedown",
                        "checkwater", "checkwooloscopy", "checkxray", "checkzoomablemap", "comboDimension",
                        "combogranularity", "comboorientation", "combostyle", "combotime"})
    on(c, Event::Click, &Form1::plainOption_Changed);
  on("blockfiltertext", Event::Change, &Form1::plainOption_Changed);
  on("layerfiltertext", Event::Change, &Form1::plainOption_Changed);
  on("comboDimension", Event::Change, &Form1::plainOption_Changed);
  on("checklowramwrite", Event::Click, &Form1::checklowramwrite_Click);
  on("checknether", Event::Click, &Form1::checknether_Click);
  on("zoomlevel", Event::Change, &Form1::zoomlevel_Change);
  on("combolocchunks", Event::Click, &Form1::combolocchunks_Click);
  on("combolocchunks", Event::Change, &Form1::combolocchunks_Change);
  for (const char* c : {"manrangeminx", "manrangemaxx", "manrangeminz", "manrangemaxz"})
    on(c, Event::Change, &Form1::manrange_Change);
  on("Command9", Event::Click, &Form1::Command9_Click);
  on("comboworldfolders", Event::Click, &Form1::comboworldfolders_Click);
  on("txtcustompath", Event::Change, &Form1::txtcustompath_Change);
  on("txtcustompath", Event::Click, &Form1::txtcustompath_Click);
  on("txtcustompath", Event::LostFocus, &Form1::txtcustompath_LostFocus);
  on("txtmapname", Event::Change, &Form1::txtmapname_Change);
  on("txtoutputfile", Event::Change, &Form1::txtoutputfile_Change);

  // Jobs.
  on("Command1", Event::Click, &Form1::Command1_Click);
  on("Command2", Event::Click, &Form1::Command2_Click);
  on("Command3", Event::Click, &Form1::Command3_Click);
  on("Command4", Event::Click, &Form1::Command4_Click);
  on("Command13", Event::Click, &Form1::Command13_Click);
  on("Command5", Event::Click, &Form1::Command5_Click);
  on("Command12", Event::Click, &Form1::Command12_Click);

  // Settings.
  on("Command10", Event::Click, &Form1::Command10_Click);
  on("Command11", Event::Click, &Form1::Command11_Click);
  on("saveAdvancedMapSettings", Event::Click, &Form1::saveAdvancedMapSettings_Click);
}

}  // namespace sg::mainwindow
