#include "options/word_bindings.h"

#include <array>

#include "platform/text.h"

namespace sg::options {

namespace {

using E = RenderEntry;
using Q = RequestOptions;
using R = Reading;
using W = sgwords::Word;

constexpr WordBinding kBindings[] = {
    {.id = W::Folder, .number = &E::world},
    {.id = W::World},
    {.id = W::Custom},
    {.id = W::Name},
    {.id = W::Normal, .reading = R::ListIndex, .number = &E::style, .suffix = "_normal", .nameRank = 1},
    {.id = W::HeightmapColor, .reading = R::ListIndex, .index = 1, .number = &E::style, .suffix = "_heightmapcolor", .nameRank = 1},
    {.id = W::HeightmapGray, .reading = R::ListIndex, .index = 2, .number = &E::style, .suffix = "_heightmapgray", .nameRank = 1},
    {.id = W::Lightmap, .reading = R::ListIndex, .index = 3, .number = &E::style, .suffix = "_lightmap", .nameRank = 1},
    {.id = W::Oblique, .reading = R::ListIndex, .index = 4, .number = &E::style, .suffix = "_oblique", .nameRank = 1},
    {.id = W::ObliqueAngled, .reading = R::ListIndex, .index = 5, .number = &E::style, .suffix = "_obliqueangled", .nameRank = 1},
    {.id = W::Isometric, .reading = R::ListIndex, .index = 6, .number = &E::style, .suffix = "_isometric", .nameRank = 1},
    {.id = W::North, .reading = R::ListIndex, .number = &E::orientation, .suffix = "_north", .nameRank = 2},
    {.id = W::East, .reading = R::ListIndex, .index = 1, .number = &E::orientation, .suffix = "_east", .nameRank = 2},
    {.id = W::South, .reading = R::ListIndex, .index = 2, .number = &E::orientation, .suffix = "_south", .nameRank = 2},
    {.id = W::West, .reading = R::ListIndex, .index = 3, .number = &E::orientation, .suffix = "_west", .nameRank = 2},
    {.id = W::OnlyLayers, .reading = R::ListIndex, .index = 1, .number = &E::layerFilter, .list = &E::layers, .suffix = "layer", .nameRank = 4},
    {.id = W::NotLayers, .reading = R::ListIndex, .index = 2, .number = &E::layerFilter, .list = &E::layers, .suffix = "layer", .nameRank = 4},
    {.id = W::OnlyBlocks, .reading = R::ListIndex, .index = 1, .number = &E::blockFilter, .list = &E::blocks, .suffix = "block", .nameRank = 5},
    {.id = W::NotBlocks, .reading = R::ListIndex, .index = 2, .number = &E::blockFilter, .list = &E::blocks, .suffix = "block", .nameRank = 5},
    {.id = W::Twilight, .reading = R::ListIndex, .index = 1, .number = &E::time, .suffix = "_twilight", .nameRank = 6},
    {.id = W::Night, .reading = R::ListIndex, .index = 2, .number = &E::time, .suffix = "_night", .nameRank = 6},
    {.id = W::CheckEachLayer, .reading = R::Checked, .number = &E::eachLayer},
    {.id = W::IgnoreWater, .reading = R::Checked, .number = &E::ignoreWater, .suffix = "_no-water", .nameRank = 7},
    {.id = W::Cave, .reading = R::Checked, .number = &E::cave, .suffix = "_caves", .nameRank = 8},
    {.id = W::Nether, .reading = R::ListIndex, .number = &E::dimension, .suffix = "_nether", .nameRank = 9},
    {.id = W::Dimension, .reading = R::ListIndex, .index = 2, .number = &E::dimension, .suffix = "_aether", .nameRank = 9},
    {.id = W::Wooloscopy, .reading = R::Checked, .number = &E::wooloscopy, .suffix = "_wooloscopic", .nameRank = 10},
    {.id = W::ForceBrightness, .reading = R::Checked, .number = &E::brightness, .suffix = "_bright", .nameRank = 11},
    {.id = W::Flip, .reading = R::Checked, .number = &E::flip, .suffix = "_flipped", .nameRank = 12},
    {.id = W::Rotate, .reading = R::Checked, .number = &E::rotate, .suffix = "_rotated", .nameRank = 14},
    {.id = W::Xray, .reading = R::Checked, .number = &E::xray, .suffix = "_xray", .nameRank = 15},
    {.id = W::Cake, .reading = R::Checked, .number = &E::cake, .suffix = "_cakeoscopy", .nameRank = 16},
    {.id = W::UpsideDown, .reading = R::Checked, .number = &E::upsideDown, .suffix = "_upside-down", .nameRank = 17},
    {.id = W::Granularity, .reading = R::ListNumber, .number = &E::granularity},
    {.id = W::CropWhitespace, .reading = R::Checked, .number = &E::cropWhitespace},
    {.id = W::ZoomLevel, .reading = R::NumberAbove1, .text = &E::zoom, .suffix = "_zoomed-x", .nameRank = 13},
    {.id = W::Mirror, .reading = R::Checked, .number = &E::mapMirror, .suffix = "_mirrored", .nameRank = 18},
    {.id = W::SAutoMirror, .reading = R::Checked, .number = &E::suppressAutoMirror},
    {.id = W::AutoMirror, .reading = R::Unchecked, .number = &E::suppressAutoMirror},
    {.id = W::LowRamWrite, .reading = R::Checked, .number = &E::lowRamWrite},
    {.id = W::ZoomableMap, .reading = R::Checked, .number = &E::zoomableMap},
    {.id = W::ListAllBlocks, .reading = R::Checked, .number = &E::listAllBlocks},
    {.id = W::MakeOffsetFile, .reading = R::Checked, .number = &E::makeOffsetFile, .suffix = "_offset-canvas", .nameRank = 20},
    {.id = W::Rectangle, .number = &E::chunks, .suffix = "_partial", .nameRank = 19},
    {.id = W::SpacedRectangle, .number = &E::chunks, .suffix = "_partial-spaced", .nameRank = 19},
    {.id = W::NoBiomes},
    {.id = W::NoCache},
    {.id = W::Threads},
    {.id = W::Verbosity, .reading = R::ListNumber, .request = &Q::verbosity},
    {.id = W::Alpha, .reading = R::ListIndex, .index = 1, .request = &Q::mapFormat},
    {.id = W::Beta, .reading = R::ListIndex, .index = 2, .request = &Q::mapFormat},
    {.id = W::Progress},
    {.id = W::Environment},
    {.id = W::OutFile},
};

constexpr bool inWordOrder() {
  for (size_t i = 0; i < std::size(kBindings); ++i)
    if (static_cast<size_t>(kBindings[i].id) != i) return false;
  return std::size(kBindings) == static_cast<size_t>(W::OutFile) + 1;
}
static_assert(inWordOrder(), "one binding for every word, in the order of Word");

// A range box is written as typed unless that would shift the values read back (an empty box,
// blanks) or break the line (a double quote); such a box is written as its numeric value.
std::string rangeValue(const std::string& box) {
  if (box.empty() || box.find(' ') != std::string::npos || box.find('"') != std::string::npos)
    return text::plainDecimal(text::numericValue(box));
  return box;
}

// A filter's list: the count of blank-separated fields, the fields. Double quotes are left
// out, since one would swallow the rest of the line when it is read back.
std::string countedList(const std::string& filterText) {
  std::string t = text::trimBlanks(text::removeChar(filterText, '"'));
  return std::to_string(text::splitBlanks(t).size()) + ' ' + t + ' ';
}

bool saysNumber(R reading, int value, int index) {
  switch (reading) {
    case R::Checked: return isChecked(value);
    case R::Unchecked: return !isChecked(value);
    case R::ListIndex: return value == index;
    case R::ListNumber: return value > 0;
    default: return false;
  }
}

}  // namespace

const WordBinding& wordBinding(sgwords::Word id) { return kBindings[static_cast<size_t>(id)]; }

bool says(const RenderEntry& e, const sgwords::RenderWord& w) {
  const WordBinding& b = wordBinding(w.id);
  if (b.reading == R::NumberAbove1) return text::numericValue(e.*b.text) > 1;
  if (b.reading != R::Custom) return b.number && saysNumber(b.reading, e.*b.number, b.index);
  const bool spaced = isChecked(e.spaced);
  switch (w.id) {
    case W::Folder: return !e.custom;
    case W::Custom: return e.custom;
    case W::Name: return true;
    case W::Rectangle: return e.chunks > 0 && !spaced;
    case W::SpacedRectangle: return e.chunks > 0 && spaced;
    default: return false;
  }
}

std::string argumentsOf(const RenderEntry& e, const sgwords::RenderWord& w) {
  const WordBinding& b = wordBinding(w.id);
  switch (w.id) {
    case W::Folder: return '"' + e.folder + "\" ";
    case W::Custom: return '"' + e.customPath + "\" ";
    case W::Name: return '"' + e.name + "\" ";
    case W::Rectangle:
    case W::SpacedRectangle: {
      if (e.chunks == 1) return "fileminx filemaxx fileminz filemaxz ";
      std::string values;
      if (e.chunks == 2)
        for (const auto* box : {&e.minX, &e.maxX, &e.minZ, &e.maxZ}) values += rangeValue(*box) + ' ';
      return values;
    }
    default:
      break;
  }
  if (!w.fixedArgument.empty()) return std::string(w.fixedArgument) + ' ';
  if (w.arguments == sgwords::Arguments::CountedList) return countedList(e.*b.list);
  if (b.reading == R::ListNumber) return std::to_string(e.*b.number) + ' ';
  if (b.reading == R::NumberAbove1) return text::plainDecimal(text::numericValue(e.*b.text)) + ' ';
  return {};
}

bool says(const RequestOptions& r, const sgwords::RenderWord& w) {
  const WordBinding& b = wordBinding(w.id);
  return b.request && saysNumber(b.reading, r.*b.request, b.index);
}

std::string argumentsOf(const RequestOptions& r, const sgwords::RenderWord& w) {
  const WordBinding& b = wordBinding(w.id);
  if (b.reading == R::ListNumber) return std::to_string(r.*b.request) + ' ';
  return {};
}

}  // namespace sg::options
