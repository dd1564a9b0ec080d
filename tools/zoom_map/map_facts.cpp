#include "zoom_map/map_facts.h"

#include <iomanip>
#include <sstream>

namespace sgmap {

void MapFacts::substitute(double m00, double m01, double t0, double m10, double m11, double t1) {
  if (!blocks) return;
  BlockPlacement& b = *blocks;
  const BlockPlacement o = b;
  b.ax = o.ax * m00 + o.bx * m10;
  b.bx = o.ax * m01 + o.bx * m11;
  b.cx = o.ax * t0 + o.bx * t1 + o.cx;
  b.az = o.az * m00 + o.bz * m10;
  b.bz = o.az * m01 + o.bz * m11;
  b.cz = o.az * t0 + o.bz * t1 + o.cz;
}

void MapFacts::mirrorHorizontally() { substitute(-1, 0, width, 0, 1, 0); }
void MapFacts::mirrorVertically() { substitute(1, 0, 0, 0, -1, height); }

void MapFacts::rotateClockwise(int degrees) {
  const int w = width, h = height;
  if (degrees == 90) {
    substitute(0, 1, 0, -1, 0, h);  // the new column x' is the old row h - x'
    width = h, height = w;
  } else if (degrees == 180) {
    substitute(-1, 0, w, 0, -1, h);
  } else if (degrees == 270) {
    substitute(0, -1, w, 1, 0, 0);
    width = h, height = w;
  }
}

void MapFacts::crop(int left, int top, int w, int h) {
  substitute(1, 0, left, 0, 1, top);
  width = w, height = h;
}

void MapFacts::zoom(double factor, int w, int h) {
  if (factor > 0) substitute(1 / factor, 0, 0, 0, 1 / factor, 0);
  width = w, height = h;
}

BlockPlacement placementFromAbove(int up, int minU, int minV) {
  // View column u covers [u, u + 1); a world axis that runs against the view's is 1 - u there.
  BlockPlacement p{0, 0, 0, 0, 0, 0};
  switch (up) {
    case 1:  // east up: (u, v) is (-v, u)
      p.bx = -1, p.cx = 1 - minV, p.az = 1, p.cz = minU;
      break;
    case 2:  // south up: (-u, -v)
      p.ax = -1, p.cx = 1 - minU, p.bz = -1, p.cz = 1 - minV;
      break;
    case 3:  // west up: (v, -u)
      p.bx = 1, p.cx = minV, p.az = -1, p.cz = 1 - minU;
      break;
    default:
      p.ax = 1, p.cx = minU, p.bz = 1, p.cz = minV;
  }
  return p;
}

namespace {

constexpr const char* kFactsHeading = "strandvale-g map facts 1";

// A name on a line of its own: whatever it holds but line breaks.
std::string oneLine(std::string s) {
  for (char& c : s)
    if (c == '\n' || c == '\r') c = ' ';
  return s;
}

}  // namespace

std::string factsText(const MapFacts& f) {
  std::ostringstream out;
  out << std::setprecision(17);
  out << kFactsHeading << "\n";
  out << "size " << f.width << ' ' << f.height << "\n";
  out << "world " << oneLine(f.world) << "\n";
  out << "style " << oneLine(f.style) << "\n";
  out << "orientation " << oneLine(f.orientation) << "\n";
  if (f.blocks) {
    const BlockPlacement& b = *f.blocks;
    out << "blocks " << b.ax << ' ' << b.bx << ' ' << b.cx << ' ' << b.az << ' ' << b.bz << ' ' << b.cz << "\n";
  }
  if (f.spawn) out << "spawn " << f.spawn->first << ' ' << f.spawn->second << "\n";
  return out.str();
}

std::optional<MapFacts> parseFacts(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != kFactsHeading) return std::nullopt;
  MapFacts f;
  bool sized = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space), rest = space == std::string::npos ? "" : line.substr(space + 1);
    std::istringstream words(rest);
    if (key == "size") {
      if (!(words >> f.width >> f.height) || f.width <= 0 || f.height <= 0) return std::nullopt;
      sized = true;
    } else if (key == "world") {
      f.world = rest;
    } else if (key == "style") {
      f.style = rest;
    } else if (key == "orientation") {
      f.orientation = rest;
    } else if (key == "blocks") {
      BlockPlacement b;
      if (!(words >> b.ax >> b.bx >> b.cx >> b.az >> b.bz >> b.cz)) return std::nullopt;
      f.blocks = b;
    } else if (key == "spawn") {
      int x = 0, z = 0;
      if (!(words >> x >> z)) return std::nullopt;
      f.spawn = {x, z};
    }
  }
  if (!sized) return std::nullopt;
  return f;
}

namespace {
std::string stem(const std::string& image) {
  const bool png = image.size() > 4 && (image.ends_with(".png") || image.ends_with(".PNG"));
  return png ? image.substr(0, image.size() - 4) : image;
}
}  // namespace

std::string factsFileOf(const std::string& image) { return stem(image) + "_map.txt"; }
std::string mapFolderOf(const std::string& image) { return stem(image) + "_map"; }

}  // namespace sgmap
