#include "jobs/output_name.h"

#include <algorithm>
#include <vector>

#include "options/word_bindings.h"
#include "platform/text.h"

namespace sg::jobs {

namespace {

using options::WordBinding;
using sgwords::RenderWord;
using sgwords::Word;

// The filter suffix: one piece names it, any other count says how many.
void appendFilter(std::string& name, const options::RenderEntry& e, const RenderWord& w, const WordBinding& b) {
  const bool only = w.id == Word::OnlyLayers || w.id == Word::OnlyBlocks;
  auto pieces = text::splitBlanks(text::trimBlanks(e.*b.list));
  if (pieces.size() == 1) {
    name += only ? "_only-" : "_hide-";
    name += b.suffix;
    name += '-';
    name += pieces[0];
  } else {
    name += only ? "_" : "_hide-";
    name += std::to_string(pieces.size());
    name += '-';
    name += b.suffix;
    name += 's';
  }
}

// The line words that name a map, in the order their suffixes stand in the name.
std::vector<const RenderWord*> namingWords() {
  std::vector<const RenderWord*> words;
  for (const auto& w : sgwords::renderWords())
    if (w.writer == sgwords::Writer::Line && options::wordBinding(w.id).nameRank > 0) words.push_back(&w);
  std::stable_sort(words.begin(), words.end(), [](const RenderWord* a, const RenderWord* b) {
    return options::wordBinding(a->id).nameRank < options::wordBinding(b->id).nameRank;
  });
  return words;
}

// After the style and orientation, the request's own mirroring.
constexpr int kAfterOrientation = 3;

}  // namespace

std::string baseName(const options::RenderEntry& e, const options::RequestOptions& r, long long stacked) {
  static const std::vector<const RenderWord*> words = namingWords();
  std::string name = e.name;
  bool mirrorNamed = false;
  for (const RenderWord* w : words) {
    const WordBinding& b = options::wordBinding(w->id);
    if (!mirrorNamed && b.nameRank >= kAfterOrientation) {
      if (options::isChecked(r.mirror)) name += "-mirrored";
      mirrorNamed = true;
    }
    if (!options::says(e, *w)) continue;
    if (w->arguments == sgwords::Arguments::CountedList) {
      appendFilter(name, e, *w, b);
    } else {
      name += b.suffix;
      if (w->id == Word::ZoomLevel) name += text::plainDecimal(text::numericValue(e.zoom));
    }
  }
  if (stacked > 1) name += "_" + std::to_string(stacked) + "-renders";
  return name;
}

std::string outputName(const options::RenderEntry& e, const options::RequestOptions& r, long long stacked) {
  std::string base = baseName(e, r, stacked);
  std::string prefix = r.outputFile;
  if (prefix.empty()) return base + ".png";
  std::string layer;
  if (options::isChecked(e.eachLayer)) {
    layer = text::trimBlanks(e.layers);
    if (prefix.find('*') != std::string::npos) {
      prefix = text::replaceAll(prefix, "*", layer);
      layer.clear();
    }
  }
  if (text::endsWith(prefix, "/") || text::endsWith(prefix, "\\")) return prefix + base + ".png";
  return prefix + layer + ".png";
}

}  // namespace sg::jobs
