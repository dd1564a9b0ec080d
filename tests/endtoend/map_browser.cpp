#include "map_browser.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace sgtest {

namespace {

std::string read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The page with the probe's scripts: the early one before everything, the probe after the viewer.
bool writeProbePage(const fs::path& folder) {
  std::string page = read(folder / "index.html");
  const std::string viewer = "<script src=\"viewer.js\"></script>";
  const size_t at = page.find(viewer), head = page.find("<link rel=\"stylesheet\"");
  if (at == std::string::npos || head == std::string::npos) return false;
  page.insert(at + viewer.size(), "\n<script src=\"probe.js\"></script>");
  page.insert(head, "<script src=\"probe-early.js\"></script>\n");
  std::ofstream(folder / "probe.html", std::ios::binary) << page;
  const fs::path scripts = fs::path(SG_TEST_SOURCE_FOLDER) / "endtoend" / "browser";
  std::error_code ec;
  fs::copy_file(scripts / "probe.js", folder / "probe.js", fs::copy_options::overwrite_existing, ec);
  fs::copy_file(scripts / "probe-early.js", folder / "probe-early.js", fs::copy_options::overwrite_existing, ec);
  return !ec;
}

std::string shellWord(const std::string& s) { return "'" + s + "'"; }

std::string browserCommand(int width, int height) {
  // Virtual time lets the page load every tile and run its timers before the browser reports,
  // however slow the machine: no waiting on the wall clock.
  return "timeout 120 " + browserProgram() + " --headless --no-sandbox --disable-gpu --hide-scrollbars " +
         "--no-first-run --user-data-dir=" + shellWord((fs::current_path() / "browser-profile").string()) +
         " --window-size=" + std::to_string(width) + "," + std::to_string(height) + " --virtual-time-budget=20000";
}

TilesShown tilesIn(const std::string& report, const std::string& key) {
  TilesShown t;
  std::smatch m;
  const std::regex pattern("\"" + key + "\":\\{\"shown\":(\\d+),\"loaded\":(\\d+),\"broken\":(\\d+)\\}");
  if (std::regex_search(report, m, pattern)) t = {std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3])};
  return t;
}

}  // namespace

std::string browserProgram() {
  for (const char* name : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
    if (fs::exists(name)) return name;
  return {};
}

PageProbe probeMapPage(const fs::path& mapFolder, const std::optional<std::pair<double, double>>& pixel) {
  PageProbe p;
  const fs::path folder = fs::absolute(mapFolder);
  if (browserProgram().empty() || !writeProbePage(folder)) return p;
  std::string url = "file://" + (folder / "probe.html").string();
  if (pixel) url += "?px=" + std::to_string(pixel->first) + "&py=" + std::to_string(pixel->second);
  const std::string command = browserCommand(800, 600) + " --dump-dom " + shellWord(url) + " 2>/dev/null";
  std::string dom;
  if (FILE* f = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) dom.append(buffer, n);
    pclose(f);
  }
  std::smatch m;
  if (!std::regex_search(dom, m, std::regex("<pre id=\"probe\">(.*?)</pre>"))) return p;
  p.ran = true;
  p.report = m[1];
  // The page's text comes HTML-escaped; the reports hold no markup but quotes.
  p.report = std::regex_replace(p.report, std::regex("&quot;"), "\"");
  p.report = std::regex_replace(p.report, std::regex("&amp;"), "&");
  p.first = tilesIn(p.report, "first");
  p.deep = tilesIn(p.report, "deep");
  if (std::regex_search(p.report, m, std::regex("\"firstZoom\":(-?\\d+)"))) p.firstZoom = std::stoi(m[1]);
  if (std::regex_search(p.report, m, std::regex("\"deepZoom\":(-?\\d+)"))) p.deepZoom = std::stoi(m[1]);
  if (std::regex_search(p.report, m, std::regex("\"coords\":\"([^\"]*)\""))) p.coords = m[1];
  if (std::regex_search(p.report, m, std::regex("\"hash\":\"([^\"]*)\""))) p.hash = m[1];
  if (std::regex_search(p.report, m, std::regex("\"spawn\":\\[([-0-9.e]+),([-0-9.e]+)\\]")))
    p.spawn = std::pair(std::stod(m[1]), std::stod(m[2]));
  if (std::regex_search(p.report, m, std::regex("\"errors\":\\[(.*)\\]"))) {
    const std::string list = m[1];
    static const std::regex item("\"((?:[^\"\\\\]|\\\\.)*)\"");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), item);
         it != std::sregex_iterator(); ++it)
      p.errors.push_back((*it)[1]);
  }
  return p;
}

bool screenshotMapPage(const fs::path& mapFolder, const std::string& hash, int width, int height, const fs::path& png) {
  const fs::path folder = fs::absolute(mapFolder);
  if (browserProgram().empty() || !writeProbePage(folder)) return false;
  const std::string url = "file://" + (folder / "probe.html").string() + "?bare=1" + hash;
  const std::string command = browserCommand(width, height) + " --screenshot=" + shellWord(fs::absolute(png).string()) +
                              " " + shellWord(url) + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 && fs::exists(png);
}

}  // namespace sgtest
