#include "options/level_option_line.h"

#include <algorithm>
#include <exception>

#include "platform/services.h"
#include "platform/text.h"

namespace sg::options {

namespace {

const char* const kStyleWords[] = {"normal", "heightmapcolor", "heightmapgray", "lightmap",
                                   "oblique", "obliqueangled", "isometric"};
const char* const kOrientationWords[] = {"north", "east", "south", "west"};

// A filter element: keyword, the count of blank-separated fields, the fields. Double quotes
// are left out, since one would swallow the rest of the line when it is read back.
void appendFilter(std::string& line, const char* keyword, const std::string& filterText) {
  std::string t = text::trimBlanks(text::removeChar(filterText, '"'));
  line += keyword;
  line += std::to_string(text::splitBlanks(t).size());
  line += ' ';
  line += t;
  line += ' ';
}

// A range box is written as typed unless that would shift the values read back (an empty box,
// blanks) or break the line (a double quote); such a box is written as its numeric value.
std::string rangeValue(const std::string& box) {
  if (box.empty() || box.find(' ') != std::string::npos || box.find('"') != std::string::npos)
    return text::plainDecimal(text::numericValue(box));
  return box;
}

void selectIfValid(forms::Control& c, long long index) {
  if (index >= 0 && index < c.listCount()) c.setListIndex(static_cast<int>(index));
}

}  // namespace

std::string buildLevelOptionLine(const RenderOptions& o) {
  std::string line;
  const auto& worlds = o.comboworldfolders;
  if (worlds.listIndex() + 1 == worlds.listCount())
    line += "custom \"" + o.txtcustompath.text() + "\" ";
  else
    line += "folder \"" + worlds.text() + "\" ";
  line += "name \"" + o.txtmapname.text() + "\" ";
  int style = o.combostyle.listIndex();
  if (style >= 0 && style <= 6) line += std::string(kStyleWords[style]) + ' ';
  int orient = o.comboorientation.listIndex();
  if (orient >= 0 && orient <= 3) line += std::string(kOrientationWords[orient]) + ' ';
  if (o.layerfiltercombo.listIndex() == 1) appendFilter(line, "onlylayers ", o.layerfiltertext.text());
  if (o.layerfiltercombo.listIndex() == 2) appendFilter(line, "notlayers ", o.layerfiltertext.text());
  if (o.blockfiltercombo.listIndex() == 1) appendFilter(line, "onlyblocks ", o.blockfiltertext.text());
  if (o.blockfiltercombo.listIndex() == 2) appendFilter(line, "notblocks ", o.blockfiltertext.text());
  if (o.combotime.listIndex() == 1) line += "twilight ";
  if (o.combotime.listIndex() == 2) line += "night ";
  if (checked(o.checkeachlayer)) line += "checkeachlayer ";
  if (checked(o.checkwater)) line += "ignorewater ";
  if (checked(o.checkcave)) line += "cave ";
  if (o.comboDimension.listIndex() == 0) line += "nether ";
  if (o.comboDimension.listIndex() == 2) line += "dimension DIM3 ";
  if (checked(o.checkwooloscopy)) line += "wooloscopy ";
  if (checked(o.checkbrightness)) line += "forcebrightness ";
  if (checked(o.checkflip)) line += "flip ";
  if (checked(o.checkrotate)) line += "rotate ";
  if (checked(o.checkxray)) line += "fool_xray ";
  if (checked(o.checkcake)) line += "fool_cake ";
  if (checked(o.checkupsidedown)) line += "fool_upsidedown ";
  if (o.combogranularity.listIndex() > 0)
    line += "granularity " + std::to_string(o.combogranularity.listIndex()) + ' ';
  if (checked(o.checkcropwhitespace)) line += "cropwhitespace ";
  double zoom = text::numericValue(o.zoomlevel.text());
  if (zoom > 1) line += "zoomlevel " + text::plainDecimal(zoom) + ' ';
  if (checked(o.checkmapmirror)) line += "mirror ";
  line += checked(o.checkmapautomirror) ? "sautomirror " : "automirror ";
  if (checked(o.checklowramwrite)) line += "lowramwrite ";
  if (checked(o.checklocfile)) line += "listallblocks ";
  if (checked(o.checklocoffset)) line += "makeoffsetfile ";
  int chunks = o.combolocchunks.listIndex();
  if (chunks > 0) {
    line += checked(o.checklocwhitespace) ? "spacedrectangle " : "rectangle ";
    if (chunks == 2) {
      for (const auto* box : {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz})
        line += rangeValue(box->text()) + ' ';
    } else if (chunks == 1) {
      line += "fileminx filemaxx fileminz filemaxz ";
    }
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
    if (word == "folder") {
      auto& worlds = o.comboworldfolders;
      for (int j = 0; j <= worlds.listCount() - 2; ++j)
        if (worlds.list(j) == value) { worlds.setListIndex(j); break; }
      o.txtcustompath.setEnabled(false);
    } else if (word == "custom") {
      o.txtcustompath.setEnabled(true);
      if (o.comboworldfolders.listCount() > 0)
        o.comboworldfolders.setListIndex(o.comboworldfolders.listCount() - 1);
      o.txtcustompath.setText(value);
    } else if (word == "name") {
      o.txtmapname.setText(value);
    } else if (auto s = std::find(std::begin(kStyleWords), std::end(kStyleWords), word);
               s != std::end(kStyleWords)) {
      o.combostyle.setListIndex(static_cast<int>(s - std::begin(kStyleWords)));
    } else if (auto d = std::find(std::begin(kOrientationWords), std::end(kOrientationWords), word);
               d != std::end(kOrientationWords)) {
      o.comboorientation.setListIndex(static_cast<int>(d - std::begin(kOrientationWords)));
    } else if (word == "onlylayers" || word == "notlayers" || word == "onlyblocks" ||
               word == "notblocks") {
      bool layers = word.find("layers") != std::string::npos;
      auto& combo = layers ? o.layerfiltercombo : o.blockfiltercombo;
      auto& box = layers ? o.layerfiltertext : o.blockfiltertext;
      combo.setListIndex(text::startsWith(word, "only") ? 1 : 2);
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
    } else if (word == "ignorewater") {
      o.checkwater.setValue(1);
    } else if (word == "checkeachlayer") {
      o.checkeachlayer.setValue(1);
    } else if (word == "cave") {
      o.checkcave.setValue(1);
    } else if (word == "nether") {
      o.checknether.setValue(1);
      o.comboDimension.setListIndex(0);
    } else if (word == "dimension") {
      if (next == "DIM3") o.comboDimension.setListIndex(2);
    } else if (word == "wooloscopy") {
      o.checkwooloscopy.setValue(1);
    } else if (word == "forcebrightness") {
      o.checkbrightness.setValue(1);
    } else if (word == "flip") {
      o.checkflip.setValue(1);
    } else if (word == "rotate") {
      o.checkrotate.setValue(1);
    } else if (word == "fool_xray") {
      o.checkxray.setValue(1);
    } else if (word == "fool_cake") {
      o.checkcake.setValue(1);
    } else if (word == "fool_upsidedown") {
      o.checkupsidedown.setValue(1);
    } else if (word == "granularity") {
      selectIfValid(o.combogranularity, text::roundHalfEven(text::numericValue(next)));
    } else if (word == "cropwhitespace") {
      o.checkcropwhitespace.setValue(1);
    } else if (word == "zoomlevel") {
      o.zoomlevel.setText(next);
    } else if (word == "mirror") {
      o.checkmapmirror.setValue(1);
    } else if (word == "sautomirror") {
      o.checkmapautomirror.setValue(1);
    } else if (word == "lowramwrite") {
      o.checklowramwrite.setValue(1);
    } else if (word == "listallblocks") {
      o.checklocfile.setValue(1);
    } else if (word == "makeoffsetfile") {
      o.checklocoffset.setValue(1);
    } else if (word == "rectangle" || word == "spacedrectangle") {
      o.combolocchunks.setListIndex(next == "fileminx" ? 1 : 2);
      forms::Control* boxes[] = {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz};
      for (size_t k = 0; k < 4; ++k)
        boxes[k]->setText(text::plainDecimal(text::numericValue(token(i + 1 + k))));
      if (word == "spacedrectangle") o.checklocwhitespace.setValue(1);
    } else if (word == "twilight") {
      o.combotime.setListIndex(1);
    } else if (word == "night") {
      o.combotime.setListIndex(2);
    }
  }
}

void resetleveloptions(RenderOptions& o, platform::Dialogs& dialogs) {
  try {
    o.lock();
    o.txtcustompath.setText("");
    o.txtcustompath.setEnabled(false);
    o.comboworldfolders.setListIndex(0);
    o.txtmapname.setText("");
    for (auto* c : {&o.layerfiltercombo, &o.blockfiltercombo, &o.combostyle, &o.combotime,
                    &o.comboorientation})
      c->setListIndex(0);
    o.checkflip.setValue(0);
    o.checkcropwhitespace.setValue(0);
    o.zoomlevel.setText("1");
    for (auto* c : {&o.checkrotate, &o.checkxray, &o.checkcake, &o.checkupsidedown}) c->setValue(0);
    o.combogranularity.setListIndex(0);
    for (auto* c : {&o.checklocfile, &o.checklocoffset, &o.checklocwhitespace}) c->setValue(0);
    o.combolocchunks.setListIndex(0);
    for (auto* c : {&o.manrangeminx, &o.manrangemaxx, &o.manrangeminz, &o.manrangemaxz})
      c->setText("0");
    o.layerfiltertext.setText("");
    o.blockfiltertext.setText("");
    for (auto* c : {&o.checkwater, &o.checkeachlayer, &o.checkcave, &o.checknether}) c->setValue(0);
    o.comboDimension.setListIndex(1);
    for (auto* c : {&o.checkwooloscopy, &o.checkbrightness, &o.checkmapmirror,
                    &o.checkmapautomirror, &o.checklowramwrite})
      c->setValue(0);
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
