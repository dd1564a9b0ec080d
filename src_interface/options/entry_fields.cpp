#include "options/entry_fields.h"

namespace sg::options {

namespace {

using F = EntryField;
using E = RenderEntry;

constexpr EntryField kFields[] = {
    {"comboworldfolders", F::ListIndex, &E::world},
    {"txtmapname", F::Text, nullptr, &E::name},
    {"layerfiltercombo", F::ListIndex, &E::layerFilter},
    {"blockfiltercombo", F::ListIndex, &E::blockFilter},
    {"combostyle", F::ListIndex, &E::style},
    {"combotime", F::ListIndex, &E::time},
    {"comboorientation", F::ListIndex, &E::orientation},
    {"checkflip", F::Value, &E::flip},
    {"checkcropwhitespace", F::Value, &E::cropWhitespace},
    {"zoomlevel", F::Text, nullptr, &E::zoom},
    {"checkrotate", F::Value, &E::rotate},
    {"checkxray", F::Value, &E::xray},
    {"checkcake", F::Value, &E::cake},
    {"checkupsidedown", F::Value, &E::upsideDown},
    {"combogranularity", F::ListIndex, &E::granularity},
    {"checklocfile", F::Value, &E::listAllBlocks},
    {"checklocoffset", F::Value, &E::makeOffsetFile},
    {"checklocwhitespace", F::Value, &E::spaced},
    {"combolocchunks", F::ListIndex, &E::chunks},
    {"manrangeminx", F::Text, nullptr, &E::minX},
    {"manrangemaxx", F::Text, nullptr, &E::maxX},
    {"manrangeminz", F::Text, nullptr, &E::minZ},
    {"manrangemaxz", F::Text, nullptr, &E::maxZ},
    {"layerfiltertext", F::Text, nullptr, &E::layers},
    {"blockfiltertext", F::Text, nullptr, &E::blocks},
    {"checkwater", F::Value, &E::ignoreWater},
    {"checkeachlayer", F::Value, &E::eachLayer},
    {"checkcave", F::Value, &E::cave},
    {"checknether", F::Value, &E::nether},
    {"comboDimension", F::ListIndex, &E::dimension},
    {"checkwooloscopy", F::Value, &E::wooloscopy},
    {"checkbrightness", F::Value, &E::brightness},
    {"checkmapmirror", F::Value, &E::mapMirror},
    {"checkmapautomirror", F::Value, &E::suppressAutoMirror},
    {"checklowramwrite", F::Value, &E::lowRamWrite},
    {"checkzoomablemap", F::Value, &E::zoomableMap},
};

void assign(forms::Control& c, const EntryField& f, const RenderEntry& e) {
  switch (f.kind) {
    case F::Value: c.setValue(e.*f.number); break;
    case F::ListIndex: c.setListIndex(e.*f.number); break;
    case F::Text: c.setText(e.*f.text); break;
  }
}

}  // namespace

std::span<const EntryField> entryFields() { return kFields; }

RenderEntry readEntry(const RenderOptions& o) {
  RenderEntry e;
  for (const auto& f : kFields) {
    const forms::Control& c = o.form.control(f.control);
    switch (f.kind) {
      case F::Value: e.*f.number = c.value(); break;
      case F::ListIndex: e.*f.number = c.listIndex(); break;
      case F::Text: e.*f.text = c.text(); break;
    }
  }
  e.folder = o.comboworldfolders.text();
  e.custom = o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount();
  e.customPath = o.txtcustompath.text();
  return e;
}

EntryEnabling readEnabling(const RenderOptions& o) {
  return {o.txtcustompath.enabled(), o.checkcropwhitespace.enabled(), o.manrangeminx.enabled()};
}

void showEntry(RenderOptions& o, const RenderEntry& e, const EntryEnabling& enabling) {
  o.comboworldfolders.setListIndex(e.world);
  o.txtcustompath.setText(e.customPath);
  for (const auto& f : kFields)
    if (f.number != &RenderEntry::world) assign(o.form.control(f.control), f, e);
  o.txtcustompath.setEnabled(enabling.customPath);
  o.checkcropwhitespace.setEnabled(enabling.lowRam);
  o.zoomlevel.setEnabled(enabling.lowRam);
  for (auto* c : {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz}) c->setEnabled(enabling.range);
}

}  // namespace sg::options
