#include "options/level_option_line.h"

#include <exception>

#include "options/entry_edit.h"
#include "options/entry_fields.h"
#include "options/word_bindings.h"
#include "platform/services.h"
#include "platform/text.h"

namespace sg::options {

std::string lineOf(const RenderEntry& e) {
  std::string line;
  for (const auto& w : sgwords::renderWords()) {
    if (w.writer != sgwords::Writer::Line || !says(e, w)) continue;
    line += w.word;
    line += ' ';
    line += argumentsOf(e, w);
  }
  return line;
}

std::string buildLevelOptionLine(const RenderOptions& o) { return lineOf(readEntry(o)); }

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
  const int i = o.stacklist.listIndex();
  const bool row = i >= 0 && i < o.stacklist.listCount();
  const std::string afterReset = row ? o.stacklist.list(i) : std::string();
  const WorldChoices worlds = worldChoices(o);
  EntryEdit edit(readEntry(o), readEnabling(o), o.locked(), worlds);
  edit.load(o.temppack.items());
  showEntry(o, edit.entry, edit.enabling);
  if (row) o.stacklist.setList(i, edit.rewritten ? edit.row : afterReset);
}

void resetleveloptions(RenderOptions& o, platform::Dialogs& dialogs) {
  try {
    o.lock();
    o.txtcustompath.setText("");
    o.txtcustompath.setEnabled(false);
    const RenderEntry defaults;
    for (const auto& f : entryFields()) {
      forms::Control& control = o.form.control(f.control);
      switch (f.kind) {
        case EntryField::Value: control.setValue(defaults.*f.number); break;
        case EntryField::ListIndex: control.setListIndex(defaults.*f.number); break;
        case EntryField::Text: control.setText(defaults.*f.text); break;
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
