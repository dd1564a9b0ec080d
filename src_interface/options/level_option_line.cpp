#include "options/level_option_line.h"

#include <algorithm>
#include <exception>

#include "options/render_word_controls.h"
#include "platform/services.h"
#include "platform/text.h"

namespace sg::options {

using sgwords::Reading;
using sgwords::RenderWord;
using sgwords::Word;
using sgwords::Writer;

namespace {

void selectIfValid(forms::Control& c, long long index) {
  if (index >= 0 && index < c.listCount()) c.setListIndex(static_cast<int>(index));
}

}  // namespace

std::string buildLevelOptionLine(const RenderOptions& o) {
  std::string line;
  for (const auto& w : sgwords::renderWords()) {
    if (w.writer != Writer::Line || !says(o, w)) continue;
    line += w.word;
    line += ' ';
    line += argumentsOf(o, w);
  }
  return line;
}

void writeleveloptions(RenderOptions& o) {
  std::string line = buildLevelOptionLine(o);
  int i = o.stacklist.listIndex();
  if (i >= 0 && i < o.stacklist.listCount()) o.stacklist.setList(i, line);
  o.unlock();
}

std::vector<std::string> tokenizeLevelOptionLine(const std::string& line) {
  std::vector<std::string> tokens;
  if (line.empty()) return tokens;
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t q = line.find('"', start);
    if (q == std::string::npos) { parts.push_back(line.substr(start)); break; }
    parts.push_back(line.substr(start, q - start));
    start = q + 1;
  }
  size_t upper = parts.size() - 1;  // U
  for (size_t p = 0; 2 * p <= upper; ++p) {  // p <= U / 2 with a fractional bound
    std::string even = text::trimBlanks(parts[2 * p]);
    if (!even.empty())
      for (auto& w : text::splitBlanks(even)) tokens.push_back(std::move(w));
    if (2 * p < upper) tokens.push_back('"' + parts[2 * p + 1] + '"');
  }
  return tokens;
}

void stacklist_Click(RenderOptions& o) {
  if (o.locked()) return;
  o.temppack.clear();
  int i = o.stacklist.listIndex();
  std::string line = (i >= 0 && i < o.stacklist.listCount()) ? o.stacklist.list(i) : std::string();
  for (const auto& t : tokenizeLevelOptionLine(line)) o.temppack.addItem(t);
  loadleveloptions(o);
}

void loadleveloptions(RenderOptions& o) {
  resetleveloptions(o, o.form.services().dialogs);
  const std::vector<std::string> tokens = o.temppack.items();
  const size_t n = tokens.size();
  auto token = [&](size_t i) -> std::string { return i < n ? tokens[i] : std::string(); };

  for (size_t i = 0; i <= n; ++i) {
    std::string word = text::trimBlanks(token(i));
    std::string next = token(i + 1);
    std::string value = next.size() < 3 ? std::string() : next.substr(1, next.size() - 2);
    if (word.empty()) continue;

    if (word == "world") {
      value = "World" + next;
      word = "folder";
    }
    const RenderWord* w = sgwords::findRenderWord(word);
    if (!w || w->writer != Writer::Line) continue;
    switch (w->id) {
      case Word::Folder: {
        auto& worlds = o.comboworldfolders;
        for (int j = 0; j <= worlds.listCount() - 2; ++j)
          if (worlds.list(j) == value) { worlds.setListIndex(j); break; }
        o.txtcustompath.setEnabled(false);
        continue;
      }
      case Word::Custom:
        o.txtcustompath.setEnabled(true);
        if (o.comboworldfolders.listCount() > 0)
          o.comboworldfolders.setListIndex(o.comboworldfolders.listCount() - 1);
        o.txtcustompath.setText(value);
        continue;
      case Word::Name:
        o.txtmapname.setText(value);
        continue;
      case Word::Rectangle:
      case Word::SpacedRectangle: {
        o.combolocchunks.setListIndex(next == "fileminx" ? 1 : 2);
        forms::Control* boxes[] = {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz};
        for (size_t k = 0; k < 4; ++k)
          boxes[k]->setText(text::plainDecimal(text::numericValue(token(i + 1 + k))));
        if (w->id == Word::SpacedRectangle) o.checklocwhitespace.setValue(1);
        continue;
      }
      case Word::Nether:
        o.checknether.setValue(1);
        break;
      default:
        break;
    }
    forms::Control& c = controlOf(o, w->control);
    if (w->arguments == sgwords::Arguments::CountedList) {
      auto& box = controlOf(o, w->valueControl);
      c.setListIndex(w->index);
      long long count = text::roundHalfEven(text::numericValue(next));
      // Only the tokens that exist are taken, however large the count claims to be. The
      // filter's own tokens are not read again as words: in a written line they are numbers,
      // and a hand-written one must not apply a filter entry such as "cave" as an option too.
      // The ids are gathered and put into the box in one assignment: appending them one by one
      // made the box's text again for every id, which froze the window on long lists. While a
      // row is loaded the row is not rewritten, so the box ends the same and its Change runs once.
      size_t taken = 0;
      std::string ids = box.text();
      for (long long k = 0; k < count && i + 2 + taken < n; ++k, ++taken) {
        ids += tokens[i + 2 + taken];
        ids += ' ';
      }
      box.setText(ids);
      i += 1 + taken;
      continue;
    }
    // Other words leave their values to be read as words again, where they match none.
    switch (w->reading) {
      case Reading::Checked:
        c.setValue(1);
        break;
      case Reading::ListIndex:
        if (w->fixedArgument.empty() || next == w->fixedArgument) c.setListIndex(w->index);
        break;
      case Reading::ListNumber:
        selectIfValid(c, text::roundHalfEven(text::numericValue(next)));
        break;
      case Reading::NumberAbove1:
        c.setText(next);
        break;
      case Reading::Unchecked:
      case Reading::Custom:
        break;
    }
  }
}

void resetleveloptions(RenderOptions& o, platform::Dialogs& dialogs) {
  try {
    o.lock();
    o.txtcustompath.setText("");
    o.txtcustompath.setEnabled(false);
    for (const auto& c : sgwords::optionControls()) {
      forms::Control& control = controlOf(o, c.control);
      switch (c.kind) {
        case sgwords::OptionControl::Value: control.setValue(c.number); break;
        case sgwords::OptionControl::ListIndex: control.setListIndex(c.number); break;
        case sgwords::OptionControl::Text: control.setText(std::string(c.text)); break;
      }
    }
    if (o.comboworldfolders.listIndex() + 1 == o.comboworldfolders.listCount())
      o.txtcustompath.setEnabled(true);
    o.unlock();
  } catch (const std::exception&) {
    dialogs.message("Warning: Could not reset settings", platform::kTitle,
                    platform::Icon::Exclamation, platform::Buttons::OK);
  }
}

void resetToDefault(RenderOptions& o, platform::Dialogs& dialogs) {
  resetleveloptions(o, dialogs);
  int i = o.stacklist.listIndex();
  if (i >= 0 && i < o.stacklist.listCount()) o.stacklist.setList(i, o.defaultset.text());
  stacklist_Click(o);
  writeleveloptions(o);
}

}  // namespace sg::options
