#include "zoom_map/map_page.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "zoom_map/embedded_files.h"
#include "zoom_map/tile_sums.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgmap {

namespace {

std::string jsonText(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string htmlText(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string number(double d) {
  std::ostringstream out;
  out.precision(17);
  out << d;
  return out.str();
}

bool sameBytes(const fs::path& file, const std::string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return old == text;
}

}  // namespace

std::string mapTitle(const MapFacts& f) {
  std::string title;
  for (const std::string* part : {&f.world, &f.style, &f.orientation}) {
    if (part->empty()) continue;
    if (!title.empty()) title += " - ";
    title += *part;
  }
  return title.empty() ? "Map" : title;
}

std::string factsScript(const MapFacts& f) {
  std::string s = "window.strandvaleMap = {\"world\": " + jsonText(f.world) + ", \"style\": " + jsonText(f.style) +
                  ", \"orientation\": " + jsonText(f.orientation) + ", \"width\": " + std::to_string(f.width) +
                  ", \"height\": " + std::to_string(f.height);
  if (f.blocks) {
    const BlockPlacement& b = *f.blocks;
    s += ", \"blocks\": {\"ax\": " + number(b.ax) + ", \"bx\": " + number(b.bx) + ", \"cx\": " + number(b.cx) +
         ", \"az\": " + number(b.az) + ", \"bz\": " + number(b.bz) + ", \"cz\": " + number(b.cz) + "}";
  }
  if (f.spawn) s += ", \"spawn\": [" + std::to_string(f.spawn->first) + ", " + std::to_string(f.spawn->second) + "]";
  return s + "};\n";
}

bool writeMapPage(const fs::path& folder, const MapFacts& facts, std::string& error) {
  auto put = [&](const fs::path& file, const std::string& text) {
    if (sameBytes(file, text)) return true;
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return writeTextFile(file, text, error);
  };
  for (const EmbeddedFile& f : embeddedFiles()) {
    std::string text(f.text());
    if (std::string_view(f.name) == "index.html") {
      const size_t at = text.find("@TITLE@");
      if (at != std::string::npos) text.replace(at, 7, htmlText(mapTitle(facts)));
    }
    if (!put(folder / sgsys::pathOf(f.name), text)) return false;
  }
  return put(folder / "map.js", factsScript(facts));
}

}  // namespace sgmap
