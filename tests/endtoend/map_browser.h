// A zoomable map's page opened in a real browser (Debian's Chromium, headless) from disk: a copy
// of its index.html with the probe scripts of browser/ added is loaded through file://, and what
// the probe found is read back from the page.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sgtest {

struct TilesShown {
  int shown = 0, loaded = 0, broken = 0;
};

struct PageProbe {
  bool ran = false;        // the browser ran and the probe reported
  std::string report;      // what it reported, as it stands
  TilesShown first, deep;  // the tiles of the first view, and one level past the deepest
  int firstZoom = -1, deepZoom = -1;
  std::string coords;      // the block under the pointer, as the page says it
  std::string hash;        // the address's hash after zooming in
  std::optional<std::pair<double, double>> spawn;  // the image pixel of the spawn's marker
  std::vector<std::string> errors;
};

// The browser's program, or empty when none is installed.
std::string browserProgram();

// Opens the map's page (window 800 x 600); with `pixel`, zooms onto that image pixel and
// points at it.
PageProbe probeMapPage(const std::filesystem::path& mapFolder,
                       const std::optional<std::pair<double, double>>& pixel = std::nullopt);

// A screenshot of the page without its controls, at the place and zoom of `hash`.
bool screenshotMapPage(const std::filesystem::path& mapFolder, const std::string& hash, int width, int height,
                       const std::filesystem::path& png);

}  // namespace sgtest
