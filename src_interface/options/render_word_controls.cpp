#include "options/render_word_controls.h"

#include "platform/text.h"

namespace sg::options {

using sgwords::Reading;
using sgwords::Word;

namespace {

bool customWorld(const RenderOptions& o) {
  return o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount();
}

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

}  // namespace

forms::Control& controlOf(const RenderOptions& o, std::string_view name) { return o.form.control(name); }

bool says(const RenderOptions& o, const sgwords::RenderWord& w) {
  switch (w.reading) {
    case Reading::Checked:
      return checked(controlOf(o, w.control));
    case Reading::Unchecked:
      return !checked(controlOf(o, w.control));
    case Reading::ListIndex:
      return controlOf(o, w.control).listIndex() == w.index;
    case Reading::ListNumber:
      return controlOf(o, w.control).listIndex() > 0;
    case Reading::NumberAbove1:
      return text::numericValue(controlOf(o, w.control).text()) > 1;
    case Reading::Custom:
      break;
  }
  const bool spaced = checked(o.checklocwhitespace);
  switch (w.id) {
    case Word::Folder: return !customWorld(o);
    case Word::Custom: return customWorld(o);
    case Word::Name: return true;
    case Word::Rectangle: return o.combolocchunks.listIndex() > 0 && !spaced;
    case Word::SpacedRectangle: return o.combolocchunks.listIndex() > 0 && spaced;
    default: return false;
  }
}

std::string argumentsOf(const RenderOptions& o, const sgwords::RenderWord& w) {
  switch (w.id) {
    case Word::Folder: return '"' + o.comboworldfolders.text() + "\" ";
    case Word::Custom: return '"' + o.txtcustompath.text() + "\" ";
    case Word::Name: return '"' + o.txtmapname.text() + "\" ";
    case Word::Rectangle:
    case Word::SpacedRectangle: {
      const int chunks = o.combolocchunks.listIndex();
      if (chunks == 1) return "fileminx filemaxx fileminz filemaxz ";
      std::string values;
      if (chunks == 2)
        for (const auto* box : {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz})
          values += rangeValue(box->text()) + ' ';
      return values;
    }
    default:
      break;
  }
  if (!w.fixedArgument.empty()) return std::string(w.fixedArgument) + ' ';
  if (w.arguments == sgwords::Arguments::CountedList) return countedList(controlOf(o, w.valueControl).text());
  if (w.reading == Reading::ListNumber) return std::to_string(controlOf(o, w.control).listIndex()) + ' ';
  if (w.reading == Reading::NumberAbove1)
    return text::plainDecimal(text::numericValue(controlOf(o, w.control).text())) + ' ';
  return {};
}

}  // namespace sg::options
