#include "renderer/render_arguments.h"

#include "batch/windows_arguments.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <set>

namespace sgrender {

namespace {

bool parseInt(const std::string& s, long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || std::isspace(static_cast<unsigned char>(s[0]))) return false;
  out = v;
  return true;
}

const std::set<std::string> kStyles{"normal",  "heightmapcolor", "heightmapgray", "lightmap",
                                    "oblique", "obliqueangled",  "isometric"};
// Words taken in and passed by, with nothing for this renderer to draw differently.
const std::set<std::string> kQuietWords{"automirror", "checkeachlayer"};

}  // namespace

std::optional<RenderRequest> parseRenderArguments(const std::vector<std::string>& words,
                                                  std::string& error) {
  std::vector<std::string> w = words;
  RenderRequest r;
  size_t i = 0;
  auto value = [&](const std::string& word) -> std::optional<std::string> {
    if (i < w.size()) return w[i++];
    error = "missing value after '" + word + "'";
    return std::nullopt;
  };
  auto number = [&](const std::string& word, long lo, long hi) -> std::optional<long> {
    auto v = value(word);
    if (!v) return std::nullopt;
    long n = 0;
    if (!parseInt(*v, n) || n < lo || n > hi) {
      error = "bad value '" + *v + "' after '" + word + "'";
      return std::nullopt;
    }
    return n;
  };
  // A filter: a count, then that many numbers. A list written from a text with doubled blanks
  // counts empty pieces that do not survive the command line, so the list ends early at the
  // first word that is not a number.
  auto filter = [&](const std::string& word, long minId, long maxId) -> std::optional<std::vector<int>> {
    auto count = number(word, 0, 1000000);
    if (!count) return std::nullopt;
    std::vector<int> ids;
    for (long k = 0; k < *count; ++k) {
      long n = 0;
      if (i >= w.size() || !parseInt(w[i], n)) {
        r.warnings.push_back("'" + word + " " + std::to_string(*count) + "' lists only " +
                             std::to_string(ids.size()) + " numbers");
        break;
      }
      ++i;
      if (n < minId || n > maxId) {
        r.warnings.push_back("'" + word + "' value " + std::to_string(n) + " is out of range");
        continue;
      }
      ids.push_back(static_cast<int>(n));
    }
    return ids;
  };

  while (i < w.size()) {
    std::string word = w[i++];
    if (word == "folder" || word == "custom" || word == "world") {
      auto v = value(word);
      if (!v) return std::nullopt;
      if (word == "custom") {
        r.custom = *v;
        r.folder.reset();
      } else {
        r.folder = word == "world" ? "World" + *v : *v;
        r.custom.reset();
      }
    } else if (word == "name") {
      auto v = value(word);
      if (!v) return std::nullopt;
      r.mapName = *v;
    } else if (kStyles.count(word)) {
      r.style = word;
    } else if (word == "north" || word == "east" || word == "south" || word == "west") {
      r.orientation = word == "north"  ? Orientation::North
                      : word == "east" ? Orientation::East
                      : word == "south" ? Orientation::South
                                        : Orientation::West;
    } else if (word == "onlylayers" || word == "notlayers") {
      auto ids = filter(word, -2048, 2047);  // Y levels as they stand, below 0 too
      if (!ids) return std::nullopt;
      (word == "onlylayers" ? r.onlyLayers : r.notLayers) = *ids;
    } else if (word == "onlyblocks" || word == "notblocks") {
      auto ids = filter(word, 0, 4095);
      if (!ids) return std::nullopt;
      (word == "onlyblocks" ? r.onlyBlocks : r.notBlocks) = *ids;
    } else if (word == "twilight") {
      r.time = TimeOfDay::Twilight;
    } else if (word == "night") {
      r.time = TimeOfDay::Night;
    } else if (word == "ignorewater") {
      r.ignoreWater = true;
    } else if (word == "cave") {
      r.cave = true;
    } else if (word == "nether") {
      r.nether = true;
    } else if (word == "dimension") {
      auto v = value(word);
      if (!v) return std::nullopt;
      if (v->empty() || v->find_first_of("/\\") != std::string::npos || *v == "." || *v == "..") {
        error = "bad dimension folder '" + *v + "'";
        return std::nullopt;
      }
      r.dimension = *v;
    } else if (word == "granularity") {
      auto v = number(word, 0, 1000);
      if (!v) return std::nullopt;
      r.granularity = static_cast<int>(std::min<long>(*v, 8));
    } else if (word == "zoomlevel") {
      auto v = value(word);
      if (!v) return std::nullopt;
      char* end = nullptr;
      double z = std::strtod(v->c_str(), &end);
      if (v->empty() || *end != '\0' || !(z > 0) || z > 64) {
        error = "bad value '" + *v + "' after 'zoomlevel'";
        return std::nullopt;
      }
      r.zoom = z;
    } else if (word == "makeoffsetfile") {
      r.makeOffsetFile = true;
    } else if (word == "rectangle" || word == "spacedrectangle") {
      long v[4];
      for (long& n : v) {
        if (i >= w.size() || !parseInt(w[i], n) || n < -2000000 || n > 2000000) {
          error = "'" + word + "' needs four whole chunk coordinates (min X, max X, min Z, max Z)";
          if (i < w.size()) error += ", found '" + w[i] + "'";
          return std::nullopt;
        }
        ++i;
      }
      ChunkRectangle rect{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                          static_cast<int>(v[3]), word == "spacedrectangle"};
      if (rect.minX > rect.maxX) std::swap(rect.minX, rect.maxX);
      if (rect.minZ > rect.maxZ) std::swap(rect.minZ, rect.maxZ);
      r.rectangle = rect;
    } else if (word == "environment") {
      auto v = value(word);
      if (!v) return std::nullopt;
      // The save folder is written as "FOLDER\" so that a folder ending in a backslash comes
      // through whole. A folder ending in a slash makes that \" an escaped quote, and the rest
      // of the line lands in this value: take it back out and read it as arguments again.
      size_t quote = v->find('"');
      if (quote != std::string::npos) {
        auto rest = sgbatch::splitWindowsArguments(v->substr(quote + 1));
        w.insert(w.begin() + static_cast<long>(i), rest.begin(), rest.end());
        v->resize(quote);
      }
      r.environment = *v;
    } else if (word == "verbosity") {
      auto v = number(word, 0, 3);
      if (!v) return std::nullopt;
      r.verbosity = static_cast<int>(*v);
    } else if (word == "alpha") {
      r.alpha = true;
    } else if (word == "beta") {
      r.beta = true;
    } else if (word == "progress" || word == "outfile") {
      auto v = value(word);
      if (!v) return std::nullopt;
      if (v->empty()) {
        error = "empty file name after '" + word + "'";
        return std::nullopt;
      }
      (word == "progress" ? r.progressFile : r.outFile) = *v;
    } else if (word == "threads") {
      auto v = number(word, 1, 256);
      if (!v) return std::nullopt;
      r.threads = static_cast<int>(*v);
    } else if (word == "sautomirror") {
      r.autoMirror = false;
    } else if (word == "forcebrightness") {
      r.forceBrightness = true;
    } else if (word == "wooloscopy") {
      r.wooloscopy = true;
    } else if (word == "fool_xray") {
      r.xray = true;
    } else if (word == "fool_upsidedown") {
      r.upsideDown = true;
    } else if (word == "fool_cake") {
      r.cake = true;
    } else if (word == "cropwhitespace") {
      r.cropWhitespace = true;
    } else if (word == "mirror") {
      r.mirror = true;
    } else if (word == "flip") {
      r.flip = true;
    } else if (word == "rotate") {
      r.rotate = true;
    } else if (word == "listallblocks") {
      r.listAllBlocks = true;
    } else if (word == "lowramwrite") {
      r.lowRamWrite = true;
    } else if (word == "nobiomes") {
      r.noBiomes = true;
    } else if (kQuietWords.count(word)) {
      // nothing to do
    } else {
      error = "unknown argument '" + word + "'";
      return std::nullopt;
    }
  }
  if (!r.folder && !r.custom) {
    error = "no world given (folder, custom or world)";
    return std::nullopt;
  }
  return r;
}

}  // namespace sgrender
