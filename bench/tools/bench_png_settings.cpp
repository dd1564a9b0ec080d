// PNG settings for maps: the time and size of writing a rendered map with libpng's defaults
// (zlib level 6, every filter tried per row) against the settings the tools use, and others.
// Usage: bench_png_settings [map.png]; without one it renders a demo-world region first.
#include <unistd.h>

#include <png.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "imaging/png_file.h"
#include "imaging/png_rows.h"
#include "renderer/renderer.h"
#include "worldgen/demo_world.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  fs::path work = fs::temp_directory_path() / ("sg-png-" + std::to_string(::getpid()));
  fs::create_directories(work);
  std::string map = argc > 1 ? argv[1] : (work / "map.png").string();
  if (argc == 1) {
    sgworld::DemoWorld demo;
    demo.folder = work / "demo";
    demo.nether = false;
    std::string error;
    std::ostringstream errors;
    if (!sgworld::writeDemoWorld(demo, error) ||
        sgrender::runRenderer({"custom", demo.folder.string(), "outfile", map}, errors) != 0) {
      std::fprintf(stderr, "cannot render the map: %s%s\n", error.c_str(), errors.str().c_str());
      return 1;
    }
  }
  sgimage::RgbaImage image;
  std::string error;
  if (!sgimage::readPng(map, image, error)) {
    std::fprintf(stderr, "cannot read %s: %s\n", map.c_str(), error.c_str());
    return 1;
  }
  struct Setting {
    const char* name;
    int level, filters;
  } settings[] = {{"libpng defaults (level 6, all filters)", 6, PNG_ALL_FILTERS},
                  {"level 5, all filters", 5, PNG_ALL_FILTERS},
                  {"level 4, all filters", 4, PNG_ALL_FILTERS},
                  {"level 3, all filters", 3, PNG_ALL_FILTERS},
                  {"level 4, no filter (used)", sgimage::kPngLevel, PNG_FILTER_NONE},
                  {"level 4, paeth only", 4, PNG_FILTER_PAETH},
                  {"level 4, sub, up and paeth", 4, PNG_FILTER_SUB | PNG_FILTER_UP | PNG_FILTER_PAETH},
                  {"level 3, sub and up", 3, PNG_FILTER_SUB | PNG_FILTER_UP}};
  double baseTime = 0;
  uintmax_t baseSize = 0;
  std::printf("%d x %d map\n", image.width(), image.height());
  for (const auto& s : settings) {
    double best = 1e9;
    fs::path out = work / "out.png";
    for (int round = 0; round < 3; ++round) {
      auto t0 = std::chrono::steady_clock::now();
      sgimage::PngRowWriter w;
      w.open(out.string(), image.width(), image.height(), error, s.level, s.filters);
      for (int y = 0; y < image.height(); ++y) w.write(image.data() + size_t(y) * image.width() * 4, error);
      w.finish(error);
      best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    uintmax_t size = fs::file_size(out);
    if (baseTime == 0) baseTime = best, baseSize = size;
    std::printf("  %-40s time %.2f of the defaults', size %.3f of theirs\n", s.name, best / baseTime,
                double(size) / baseSize);
  }
  fs::remove_all(work);
  return 0;
}
