// RenderOptions: every option of one render and of the request, as a typed view of the main
// window's controls (no copy: each member is the control itself).
#pragma once

#include "forms/form.h"

namespace sg::options {

struct RenderOptions {
  explicit RenderOptions(forms::Form& form1);

  forms::Form& form;

  // Per-render map options (one set per stack entry).
  forms::Control& comboworldfolders;
  forms::Control& txtcustompath;
  forms::Control& txtmapname;
  forms::Control& combostyle;
  forms::Control& comboorientation;
  forms::Control& layerfiltercombo;
  forms::Control& layerfiltertext;
  forms::Control& blockfiltercombo;
  forms::Control& blockfiltertext;
  forms::Control& combotime;
  forms::Control& checkeachlayer;
  forms::Control& checkwater;
  forms::Control& checkcave;
  forms::Control& comboDimension;
  forms::Control& checknether;
  forms::Control& checkwooloscopy;
  forms::Control& checkbrightness;
  forms::Control& checkflip;
  forms::Control& checkrotate;
  forms::Control& checkxray;
  forms::Control& checkcake;
  forms::Control& checkupsidedown;
  forms::Control& combogranularity;
  forms::Control& checkcropwhitespace;
  forms::Control& zoomlevel;
  forms::Control& checkmapmirror;
  forms::Control& checkmapautomirror;
  forms::Control& checklowramwrite;
  forms::Control& checklocfile;
  forms::Control& checklocoffset;
  forms::Control& combolocchunks;
  forms::Control& checklocwhitespace;
  forms::Control& manrangeminx;
  forms::Control& manrangemaxx;
  forms::Control& manrangeminz;
  forms::Control& manrangemaxz;

  // Request options (shared by every render of a request).
  forms::Control& combomapformat;
  forms::Control& comboverbosity;
  forms::Control& txtoutputfile;
  forms::Control& checkdisablelogging;
  forms::Control& checkdisablepostprocessor;
  forms::Control& checksurpressstacking;
  forms::Control& checksurpressdeletion;
  forms::Control& checksurpressautomirroring;
  forms::Control& combobackground;
  forms::Control& comborotation;
  forms::Control& combomirroring;
  forms::Control& checkmirror;

  // Job state (hidden fields) and the stack.
  forms::Control& renderjob;
  forms::Control& totaljob;
  forms::Control& totaljobrenders;
  forms::Control& tempstackn;
  forms::Control& genfile;
  forms::Control& defaultset;
  forms::Control& temppack;
  forms::Control& stacklist;

  // The stack lock is the tag of temppack: "locked" or empty.
  bool locked() const { return !temppack.tag().empty(); }
  void lock() { temppack.setTag("locked"); }
  void unlock() { temppack.setTag(""); }
};

// A check box counts as checked only when it holds exactly 1.
inline bool checked(const forms::Control& c) { return c.value() == 1; }

}  // namespace sg::options
