#include "options/render_options.h"

namespace sg::options {

#define SG_FIELD(n) n(form1.control(#n))

RenderOptions::RenderOptions(forms::Form& form1)
    : form(form1),
      SG_FIELD(comboworldfolders), SG_FIELD(txtcustompath), SG_FIELD(txtmapname),
      SG_FIELD(combostyle), SG_FIELD(comboorientation), SG_FIELD(layerfiltercombo),
      SG_FIELD(layerfiltertext), SG_FIELD(blockfiltercombo), SG_FIELD(blockfiltertext),
      SG_FIELD(combotime), SG_FIELD(checkeachlayer), SG_FIELD(checkwater), SG_FIELD(checkcave),
      SG_FIELD(comboDimension), SG_FIELD(checknether), SG_FIELD(checkwooloscopy),
      SG_FIELD(checkbrightness), SG_FIELD(checkflip), SG_FIELD(checkrotate), SG_FIELD(checkxray),
      SG_FIELD(checkcake), SG_FIELD(checkupsidedown), SG_FIELD(combogranularity),
      SG_FIELD(checkcropwhitespace), SG_FIELD(zoomlevel), SG_FIELD(checkmapmirror),
      SG_FIELD(checkmapautomirror), SG_FIELD(checklowramwrite), SG_FIELD(checklocfile),
      SG_FIELD(checklocoffset), SG_FIELD(combolocchunks), SG_FIELD(checklocwhitespace),
      SG_FIELD(manrangeminx), SG_FIELD(manrangemaxx), SG_FIELD(manrangeminz),
      SG_FIELD(manrangemaxz),
      SG_FIELD(combomapformat), SG_FIELD(comboverbosity), SG_FIELD(txtoutputfile),
      SG_FIELD(checkdisablelogging), SG_FIELD(checkdisablepostprocessor),
      SG_FIELD(checksurpressstacking), SG_FIELD(checksurpressdeletion),
      SG_FIELD(checksurpressautomirroring), SG_FIELD(combobackground), SG_FIELD(comborotation),
      SG_FIELD(combomirroring), SG_FIELD(checkmirror),
      SG_FIELD(renderjob), SG_FIELD(totaljob), SG_FIELD(totaljobrenders), SG_FIELD(tempstackn),
      SG_FIELD(genfile), SG_FIELD(defaultset), SG_FIELD(temppack), SG_FIELD(stacklist) {}

#undef SG_FIELD

}  // namespace sg::options
