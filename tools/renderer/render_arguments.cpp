#include "renderer/render_arguments.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "batch/windows_arguments.h"
#include "render_words/render_words.h"

namespace sgrender {

namespace {

using sgwords::Arguments;
using sgwords::RenderWord;
using sgwords::Word;

bool parseInt(const std::string& s, long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || std::isspace(static_cast<unsigned char>(s[0]))) return false;
  out = v;
  return true;
}

// What follows a word, read by the form its table row gives.
struct Values {
  std::string text;
  long whole = 0;
  double decimal = 0;
  std::vector<int> list;
  long four[4] = {0, 0, 0, 0};
};

class Reader {
 public:
  Reader(const std::vector<std::string>& words, RenderRequest& r, std::string& error)
      : w_(words), r_(r), error_(error) {}

  bool done() const { return i_ >= w_.size(); }
  std::string next() { return w_[i_++]; }

  bool read(const RenderWord& word, Values& v) {
    const std::string name(word.word);
    switch (word.arguments) {
      case Arguments::None:
        return true;
      case Arguments::Text:
        return text(name, v.text);
      case Arguments::Whole:
        return whole(name, word.minimum, word.maximum, v.whole);
      case Arguments::Decimal:
        return decimal(name, v.decimal);
      case Arguments::CountedList:
        return list(name, word.minimum, word.maximum, v.list);
      case Arguments::FourWhole:
        return four(word, v.four);
    }
    return false;
  }

  // Words found inside a value that belong to the command line again.
  void putBack(const std::vector<std::string>& words) {
    w_.insert(w_.begin() + static_cast<long>(i_), words.begin(), words.end());
  }

 private:
  bool text(const std::string& word, std::string& out) {
    if (done()) {
      error_ = "missing value after '" + word + "'";
      return false;
    }
    out = next();
    return true;
  }

  bool whole(const std::string& word, long lo, long hi, long& out) {
    std::string v;
    if (!text(word, v)) return false;
    if (!parseInt(v, out) || out < lo || out > hi) {
      error_ = "bad value '" + v + "' after '" + word + "'";
      return false;
    }
    return true;
  }

  bool decimal(const std::string& word, double& out) {
    std::string v;
    if (!text(word, v)) return false;
    char* end = nullptr;
    out = std::strtod(v.c_str(), &end);
    if (v.empty() || *end != '\0' || !(out > 0) || out > 64) {
      error_ = "bad value '" + v + "' after '" + word + "'";
      return false;
    }
    return true;
  }

  // A count, then that many numbers. A list written from a text with doubled blanks counts
  // empty pieces that do not survive the command line, so the list ends early at the first
  // word that is not a number.
  bool list(const std::string& word, long lo, long hi, std::vector<int>& ids) {
    long count = 0;
    if (!whole(word, 0, 1000000, count)) return false;
    for (long k = 0; k < count; ++k) {
      long n = 0;
      if (done() || !parseInt(w_[i_], n)) {
        r_.warnings.push_back("'" + word + " " + std::to_string(count) + "' lists only " +
                              std::to_string(ids.size()) + " numbers");
        break;
      }
      ++i_;
      if (n < lo || n > hi) {
        r_.warnings.push_back("'" + word + "' value " + std::to_string(n) + " is out of range");
        continue;
      }
      ids.push_back(static_cast<int>(n));
    }
    return true;
  }

  bool four(const RenderWord& word, long (&v)[4]) {
    for (long& n : v) {
      if (done() || !parseInt(w_[i_], n) || n < word.minimum || n > word.maximum) {
        error_ = "'" + std::string(word.word) +
                 "' needs four whole chunk coordinates (min X, max X, min Z, max Z)";
        if (!done()) error_ += ", found '" + w_[i_] + "'";
        return false;
      }
      ++i_;
    }
    return true;
  }

  std::vector<std::string> w_;
  size_t i_ = 0;
  RenderRequest& r_;
  std::string& error_;
};

// Puts one word and its values into the request; false with a reason when the value is wrong.
bool apply(Word id, Values& v, RenderRequest& r, Reader& in, std::string& error) {
  switch (id) {
    case Word::Folder: r.folder = v.text; r.custom.reset(); break;
    case Word::World: r.folder = "World" + v.text; r.custom.reset(); break;
    case Word::Custom: r.custom = v.text; r.folder.reset(); break;
    case Word::Name: r.mapName = v.text; break;
    case Word::Normal: r.style = Style::Normal; break;
    case Word::HeightmapColor: r.style = Style::HeightmapColor; break;
    case Word::HeightmapGray: r.style = Style::HeightmapGray; break;
    case Word::Lightmap: r.style = Style::Lightmap; break;
    case Word::Oblique: r.style = Style::Oblique; break;
    case Word::ObliqueAngled: r.style = Style::ObliqueAngled; break;
    case Word::Isometric: r.style = Style::Isometric; break;
    case Word::North: r.orientation = Orientation::North; break;
    case Word::East: r.orientation = Orientation::East; break;
    case Word::South: r.orientation = Orientation::South; break;
    case Word::West: r.orientation = Orientation::West; break;
    case Word::OnlyLayers: r.onlyLayers = std::move(v.list); break;
    case Word::NotLayers: r.notLayers = std::move(v.list); break;
    case Word::OnlyBlocks: r.onlyBlocks = std::move(v.list); break;
    case Word::NotBlocks: r.notBlocks = std::move(v.list); break;
    case Word::Twilight: r.time = TimeOfDay::Twilight; break;
    case Word::Night: r.time = TimeOfDay::Night; break;
    case Word::CheckEachLayer: break;  // the program's: one render per level
    case Word::IgnoreWater: r.ignoreWater = true; break;
    case Word::Cave: r.cave = true; break;
    case Word::Nether: r.nether = true; break;
    case Word::Dimension:
      if (v.text.empty() || v.text.find_first_of("/\\") != std::string::npos || v.text == "." || v.text == "..") {
        error = "bad dimension folder '" + v.text + "'";
        return false;
      }
      r.dimension = v.text;
      break;
    case Word::Wooloscopy: r.wooloscopy = true; break;
    case Word::ForceBrightness: r.forceBrightness = true; break;
    case Word::Flip: r.flip = true; break;
    case Word::Rotate: r.rotate = true; break;
    case Word::Xray: r.xray = true; break;
    case Word::Cake: r.cake = true; break;
    case Word::UpsideDown: r.upsideDown = true; break;
    case Word::Granularity: r.granularity = static_cast<int>(std::min<long>(v.whole, 8)); break;
    case Word::CropWhitespace: r.cropWhitespace = true; break;
    case Word::ZoomLevel: r.zoom = v.decimal; break;
    case Word::Mirror: r.mirror = true; break;
    case Word::SAutoMirror: r.autoMirror = false; break;
    case Word::AutoMirror: break;  // the default
    case Word::LowRamWrite: r.lowRamWrite = true; break;
    case Word::ZoomableMap: r.zoomableMap = true; break;
    case Word::ListAllBlocks: r.listAllBlocks = true; break;
    case Word::MakeOffsetFile: r.makeOffsetFile = true; break;
    case Word::Rectangle:
    case Word::SpacedRectangle: {
      ChunkRectangle rect{static_cast<int>(v.four[0]), static_cast<int>(v.four[1]), static_cast<int>(v.four[2]),
                          static_cast<int>(v.four[3]), id == Word::SpacedRectangle};
      if (rect.minX > rect.maxX) std::swap(rect.minX, rect.maxX);
      if (rect.minZ > rect.maxZ) std::swap(rect.minZ, rect.maxZ);
      r.rectangle = rect;
      break;
    }
    case Word::NoBiomes: r.noBiomes = true; break;
    case Word::NoCache: r.noCache = true; break;
    case Word::Threads: r.threads = static_cast<int>(v.whole); break;
    case Word::Verbosity: r.verbosity = static_cast<int>(v.whole); break;
    case Word::Alpha: r.alpha = true; break;
    case Word::Beta: r.beta = true; break;
    case Word::Progress:
    case Word::OutFile:
      if (v.text.empty()) {
        error = "empty file name after '" + std::string(sgwords::renderWord(id).word) + "'";
        return false;
      }
      (id == Word::Progress ? r.progressFile : r.outFile) = v.text;
      break;
    case Word::Environment: {
      // The save folder is written as "FOLDER\" so that a folder ending in a backslash comes
      // through whole. A folder ending in a slash makes that \" an escaped quote, and the rest
      // of the line lands in this value: take it back out and read it as arguments again.
      size_t quote = v.text.find('"');
      if (quote != std::string::npos) {
        in.putBack(sgbatch::splitWindowsArguments(v.text.substr(quote + 1)));
        v.text.resize(quote);
      }
      r.environment = v.text;
      break;
    }
  }
  return true;
}

}  // namespace

const char* styleWord(Style style) {
  return sgwords::renderWord(static_cast<Word>(static_cast<int>(Word::Normal) + static_cast<int>(style))).word.data();
}

std::optional<RenderRequest> parseRenderArguments(const std::vector<std::string>& words,
                                                  std::string& error) {
  RenderRequest r;
  Reader in(words, r, error);
  while (!in.done()) {
    const std::string word = in.next();
    const RenderWord* known = sgwords::findRenderWord(word);
    if (!known) {
      error = "unknown argument '" + word + "'";
      return std::nullopt;
    }
    Values v;
    if (!in.read(*known, v) || !apply(known->id, v, r, in, error)) return std::nullopt;
  }
  if (!r.folder && !r.custom) {
    error = "no world given (folder, custom or world)";
    return std::nullopt;
  }
  return r;
}

}  // namespace sgrender
