#include "jobs/output_name.h"

#include "platform/text.h"

namespace sg::jobs {

namespace {

const char* const kStyles[] = {"_normal", "_heightmapcolor", "_heightmapgray", "_lightmap",
                               "_oblique", "_obliqueangled", "_isometric"};
const char* const kOrientations[] = {"_north", "_east", "_south", "_west"};

// The filter suffix: one piece names it, any other count says how many.
void appendFilter(std::string& name, const forms::Control& combo, const forms::Control& list,
                  const char* one, const char* many) {
  int index = combo.listIndex();
  if (index != 1 && index != 2) return;
  auto pieces = text::splitBlanks(text::trimBlanks(list.text()));
  if (pieces.size() == 1) {
    name += index == 1 ? "_only-" : "_hide-";
    name += one;
    name += '-';
    name += pieces[0];
  } else {
    name += index == 1 ? "_" : "_hide-";
    name += std::to_string(pieces.size());
    name += '-';
    name += many;
  }
}

void appendIf(std::string& name, const forms::Control& check, const char* suffix) {
  if (options::checked(check)) name += suffix;
}

template <size_t N>
void appendIndexed(std::string& name, const forms::Control& combo, const char* const (&suffixes)[N]) {
  int i = combo.listIndex();
  if (i >= 0 && static_cast<size_t>(i) < N) name += suffixes[i];
}

}  // namespace

std::string baseName(const options::RenderOptions& o) {
  std::string name = o.txtmapname.text();
  appendIndexed(name, o.combostyle, kStyles);
  appendIndexed(name, o.comboorientation, kOrientations);
  appendIf(name, o.checkmirror, "-mirrored");
  appendFilter(name, o.layerfiltercombo, o.layerfiltertext, "layer", "layers");
  appendFilter(name, o.blockfiltercombo, o.blockfiltertext, "block", "blocks");
  if (o.combotime.listIndex() == 1) name += "_twilight";
  if (o.combotime.listIndex() == 2) name += "_night";
  appendIf(name, o.checkwater, "_no-water");
  appendIf(name, o.checkcave, "_caves");
  if (o.comboDimension.listIndex() == 0) name += "_nether";
  if (o.comboDimension.listIndex() == 2) name += "_aether";
  appendIf(name, o.checkwooloscopy, "_wooloscopic");
  appendIf(name, o.checkbrightness, "_bright");
  appendIf(name, o.checkflip, "_flipped");
  double zoom = text::numericValue(o.zoomlevel.text());
  if (zoom > 1) name += "_zoomed-x" + text::plainDecimal(zoom);
  appendIf(name, o.checkrotate, "_rotated");
  appendIf(name, o.checkxray, "_xray");
  appendIf(name, o.checkcake, "_cakeoscopy");
  appendIf(name, o.checkupsidedown, "_upside-down");
  appendIf(name, o.checkmapmirror, "_mirrored");
  if (o.combolocchunks.listIndex() > 0) {
    name += "_partial";
    appendIf(name, o.checklocwhitespace, "-spaced");
  }
  appendIf(name, o.checklocoffset, "_offset-canvas");
  double stacked = text::numericValue(o.tempstackn.text());
  if (stacked > 1) name += "_" + text::plainDecimal(stacked) + "-renders";
  return name;
}

std::string outputName(const options::RenderOptions& o) {
  std::string base = baseName(o);
  std::string prefix = o.txtoutputfile.text();
  if (prefix.empty()) return base + ".png";
  std::string layer;
  if (options::checked(o.checkeachlayer)) {
    layer = text::trimBlanks(o.layerfiltertext.text());
    if (prefix.find('*') != std::string::npos) {
      prefix = text::replaceAll(prefix, "*", layer);
      layer.clear();
    }
  }
  if (text::endsWith(prefix, "/") || text::endsWith(prefix, "\\")) return prefix + base + ".png";
  return prefix + layer + ".png";
}

void generateName(options::RenderOptions& o) { o.genfile.setText(outputName(o)); }

}  // namespace sg::jobs
