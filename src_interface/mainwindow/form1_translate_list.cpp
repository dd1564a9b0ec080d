// The main window's translatable controls, in order (empty entries are skipped).
#include "mainwindow/form1.h"

namespace sg::mainwindow {

std::vector<std::string> Form1::translateCaptionList() {
  std::vector<std::string> names;
  for (int i = 1; i <= 13; ++i) names.push_back("Label" + std::to_string(i));
  for (int i = 17; i <= 28; ++i) names.push_back("Label" + std::to_string(i));
  for (const char* n : {"lbldimension", "saveAdvancedMapSettings", "toggleL", "toggleI", "toggleR",
                        "lblgranularity", "checkeachlayer", "checkwater", "checkcave", "checknether",
                        "checkwooloscopy", "checkbrightness"})
    names.emplace_back(n);
  for (int i = 1; i <= 16; ++i) names.push_back("Command" + std::to_string(i));
  for (const char* n : {"checkmapmirror", "checkmapautomirror", "checklowramwrite", "checkcropwhitespace",
                        "checklocwhitespace", "checklocoffset", "checkmirror", "checkflip", "checkrotate",
                        "checkxray", "checkcake", "checkupsidedown", "checklocfile",
                        "checksurpressstacking", "checksurpressdeletion", "checksurpressautomirroring",
                        "checkdisablepostprocessor", "checkdisablelogging", "FrameI", "FrameU", "FrameL",
                        "FrameR"})
    names.emplace_back(n);
  for (const char* n : {"checkzoomablemap", "cmdopenimage", "cmdopenfolder", "cmdopenmap"}) names.emplace_back(n);
  for (int i = 0; i < 2; ++i) names.emplace_back();
  return names;
}

}  // namespace sg::mainwindow
