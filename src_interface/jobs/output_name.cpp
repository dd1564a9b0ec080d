#include "jobs/output_name.h"

#include <algorithm>
#include <vector>

#include "options/render_word_controls.h"
#include "platform/text.h"

namespace sg::jobs {

namespace {

using sgwords::RenderWord;
using sgwords::Word;

// The filter suffix: one piece names it, any other count says how many.
void appendFilter(std::string& name, const options::RenderOptions& o, const RenderWord& w) {
  const bool only = w.id == Word::OnlyLayers || w.id == Word::OnlyBlocks;
  auto pieces = text::splitBlanks(text::trimBlanks(options::controlOf(o, w.valueControl).text()));
  if (pieces.size() == 1) {
    name += only ? "_only-" : "_hide-";
    name += w.suffix;
    name += '-';
    name += pieces[0];
  } else {
    name += only ? "_" : "_hide-";
    name += std::to_string(pieces.size());
    name += '-';
    name += w.suffix;
    name += 's';
  }
}

// The line words that name a map, in the order their suffixes stand in the name.
std::vector<const RenderWord*> namingWords() {
  std::vector<const RenderWord*> words;
  for (const auto& w : sgwords::renderWords())
    if (w.writer == sgwords::Writer::Line && w.nameRank > 0) words.push_back(&w);
  std::stable_sort(words.begin(), words.end(),
                   [](const RenderWord* a, const RenderWord* b) { return a->nameRank < b->nameRank; });
  return words;
}

// After the style and orientation, the request's own mirroring.
constexpr int kAfterOrientation = 3;

}  // namespace

std::string baseName(const options::RenderOptions& o) {
  static const std::vector<const RenderWord*> words = namingWords();
  std::string name = o.txtmapname.text();
  bool mirrorNamed = false;
  for (const RenderWord* w : words) {
    if (!mirrorNamed && w->nameRank >= kAfterOrientation) {
      if (options::checked(o.checkmirror)) name += "-mirrored";
      mirrorNamed = true;
    }
    if (!options::says(o, *w)) continue;
    if (w->arguments == sgwords::Arguments::CountedList) {
      appendFilter(name, o, *w);
    } else {
      name += w->suffix;
      if (w->id == Word::ZoomLevel) name += text::plainDecimal(text::numericValue(o.zoomlevel.text()));
    }
  }
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
