#include "options/entry_edit.h"

#include "options/level_option_line.h"
#include "options/word_bindings.h"
#include "options/world_names.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::options {

using E = RenderEntry;
using sgwords::Word;

WorldChoices worldChoices(RenderOptions& o) {
  WorldChoices w;
  w.items = o.comboworldfolders.items();
  w.granularities = o.combogranularity.listCount();
  RenderOptions* window = &o;
  w.folderName = [window](const std::string& folder) {
    return checkcustomname(*window, settings::getSavePath(window->form.registry()) + folder);
  };
  w.pathName = [window](const std::string& path) {
    return isServerPath(path) ? checkservername(*window, path) : checkcustomname(*window, path);
  };
  return w;
}

void EntryEdit::setNumber(int RenderEntry::*field, int value) {
  if (field == &E::world) return setWorld(value);
  if (entry.*field == value) return;
  entry.*field = value;
  changed(field);
}

void EntryEdit::setText(std::string RenderEntry::*field, std::string value) {
  if (entry.*field == value) return;
  entry.*field = std::move(value);
  changed(field);
}

void EntryEdit::setWorld(int index) {
  if (entry.world == index) return;
  const int count = static_cast<int>(worlds_.items.size());
  entry.world = index;
  entry.folder = index >= 0 && index < count ? worlds_.items[static_cast<size_t>(index)] : std::string();
  entry.custom = index + 1 == count;
  worldClick();
}

void EntryEdit::worldClick() {
  if (entry.custom) {
    enabling.customPath = true;
  } else {
    enabling.customPath = false;
    setText(&E::name, worlds_.folderName(entry.folder));
  }
  if (!locked) write();
}

void EntryEdit::changed(int RenderEntry::*field) {
  if (field == &E::nether) {
    setNumber(&E::dimension, isChecked(entry.nether) ? 0 : 1);
  } else if (field == &E::lowRamWrite) {
    enabling.lowRam = isChecked(entry.lowRamWrite);
  } else if (field == &E::chunks) {
    enabling.range = entry.chunks == 2;
  }
  write();
}

void EntryEdit::changed(std::string RenderEntry::*field) {
  if (field == &E::name) {
    for (char forbidden : {'\\', '/', '"'}) setText(&E::name, text::removeChar(entry.name, forbidden));
  } else if (field == &E::customPath) {
    setText(&E::customPath, text::removeChar(entry.customPath, '"'));
    // A path still being typed: wait for the folder name after the separator.
    if (text::endsWithSeparator(entry.customPath)) return;
    setText(&E::name, worlds_.pathName(entry.customPath));
  } else if (field == &E::zoom) {
    // The text becomes the number it begins with, at least 1.
    const double v = text::numericValue(entry.zoom);
    setText(&E::zoom, text::plainDecimal(v));
    if (v < 1) setText(&E::zoom, "1");
  }
  write();
}

void EntryEdit::write() {
  row = lineOf(entry);
  rewritten = true;
  locked = false;
}

void EntryEdit::reset() {
  locked = true;
  setText(&E::customPath, "");
  enabling.customPath = false;
  const RenderEntry defaults;
  for (const auto& f : entryFields()) {
    if (f.kind == EntryField::Text) setText(f.text, defaults.*f.text);
    else setNumber(f.number, defaults.*f.number);
  }
  if (entry.custom) enabling.customPath = true;
  locked = false;
}

void EntryEdit::load(const std::vector<std::string>& tokens) {
  reset();
  const size_t n = tokens.size();
  auto token = [&](size_t i) -> std::string { return i < n ? tokens[i] : std::string(); };
  const int count = static_cast<int>(worlds_.items.size());

  for (size_t i = 0; i <= n; ++i) {
    std::string word = text::trimBlanks(token(i));
    std::string next = token(i + 1);
    std::string value = next.size() < 3 ? std::string() : next.substr(1, next.size() - 2);
    if (word.empty()) continue;
    if (word == "world") {
      value = "World" + next;
      word = "folder";
    }
    const sgwords::RenderWord* w = sgwords::findRenderWord(word);
    if (!w || w->writer != sgwords::Writer::Line) continue;
    const WordBinding& b = wordBinding(w->id);
    switch (w->id) {
      case Word::Folder:
        for (int j = 0; j <= count - 2; ++j)
          if (worlds_.items[static_cast<size_t>(j)] == value) { setWorld(j); break; }
        enabling.customPath = false;
        continue;
      case Word::Custom:
        enabling.customPath = true;
        if (count > 0) setWorld(count - 1);
        setText(&E::customPath, value);
        continue;
      case Word::Name:
        setText(&E::name, value);
        continue;
      case Word::Rectangle:
      case Word::SpacedRectangle: {
        setNumber(&E::chunks, next == "fileminx" ? 1 : 2);
        std::string E::*boxes[] = {&E::minX, &E::maxX, &E::minZ, &E::maxZ};
        for (size_t k = 0; k < 4; ++k) setText(boxes[k], text::plainDecimal(text::numericValue(token(i + 1 + k))));
        if (w->id == Word::SpacedRectangle) setNumber(&E::spaced, 1);
        continue;
      }
      case Word::Nether:
        setNumber(&E::nether, 1);
        break;
      default:
        break;
    }
    if (w->arguments == sgwords::Arguments::CountedList) {
      setNumber(b.number, b.index);
      long long listed = text::roundHalfEven(text::numericValue(next));
      // Only the tokens that exist are taken, however large the count claims to be. The
      // filter's own tokens are not read again as words: in a written line they are numbers,
      // and a hand-written one must not apply a filter entry such as "cave" as an option too.
      // The ids go into the box in one assignment, so that a long list is not rebuilt per id.
      size_t taken = 0;
      std::string ids = entry.*b.list;
      for (long long k = 0; k < listed && i + 2 + taken < n; ++k, ++taken) {
        ids += tokens[i + 2 + taken];
        ids += ' ';
      }
      setText(b.list, ids);
      i += 1 + taken;
      continue;
    }
    // Other words leave their values to be read as words again, where they match none.
    switch (b.reading) {
      case Reading::Checked:
        setNumber(b.number, 1);
        break;
      case Reading::ListIndex:
        if (w->fixedArgument.empty() || next == w->fixedArgument) setNumber(b.number, b.index);
        break;
      case Reading::ListNumber: {
        long long index = text::roundHalfEven(text::numericValue(next));
        if (index >= 0 && index < worlds_.granularities) setNumber(b.number, static_cast<int>(index));
        break;
      }
      case Reading::NumberAbove1:
        setText(b.text, next);
        break;
      case Reading::Unchecked:
      case Reading::Custom:
        break;
    }
  }
}

void EntryEdit::select(const std::string& rowText) {
  row = rowText;
  rewritten = false;
  if (locked) return;
  load(tokenizeLevelOptionLine(rowText));
}

}  // namespace sg::options
