#include "options/option_handlers.h"

#include "options/level_option_line.h"
#include "platform/text.h"

namespace sg::options {

void checklowramwrite_Click(RenderOptions& o) {
  writeleveloptions(o);
  bool on = checked(o.checklowramwrite);
  o.checkcropwhitespace.setEnabled(on);
  o.zoomlevel.setEnabled(on);
}

void checknether_Click(RenderOptions& o) {
  o.comboDimension.setListIndex(checked(o.checknether) ? 0 : 1);
  writeleveloptions(o);
}

void zoomlevel_Change(RenderOptions& o) {
  // The text becomes the number it begins with, at least 1; each assignment re-enters this
  // handler, which then finds nothing left to change.
  double v = text::numericValue(o.zoomlevel.text());
  o.zoomlevel.setText(text::plainDecimal(v));
  if (v < 1) o.zoomlevel.setText("1");
  writeleveloptions(o);
}

void combolocchunks_Click(RenderOptions& o) {
  bool manual = o.combolocchunks.listIndex() == 2;
  for (auto* c : {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz})
    c->setEnabled(manual);
  writeleveloptions(o);
}

}  // namespace sg::options
