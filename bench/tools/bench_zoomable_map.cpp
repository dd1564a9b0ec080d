// The zoomable map's cost, as ratios measured in one run:
//  1. making every tile of a rendered map from its rows (as the post processor does, and read
//     back from the image, as the renderer does beside its own final image) against writing the
//     same map as one PNG, row by row;
//  2. making the map again over an unchanged one, against making it the first time;
//  3. a whole render with the map, of a 4 x 4-region world with the render cache, after one
//     region changed, against the first render of it.
// Usage: bench_zoomable_map [regions across, default 4] [repeats, default 3]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/png_row_reader.h"
#include "imaging/png_rows.h"
#include "zoom_map/zoomable_map.h"

namespace fs = std::filesystem;

namespace {

double seconds(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::vector<uint8_t> bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A region file with the chunks inside its border ring taken from another region file, saved
// a day later, as the game saves edits: a changed chunk is written anew at the file's end, and
// every other stays where it was.
bool spliceInner(const fs::path& base, const fs::path& other, const fs::path& out) {
  const std::vector<uint8_t> a = bytesOf(base), b = bytesOf(other);
  if (a.size() < 8192 || b.size() < 8192) return false;
  std::vector<uint8_t> file = a;
  file.resize((file.size() + 4095) / 4096 * 4096, 0);
  for (int i = 0; i < 1024; ++i) {
    const int x = i % 32, z = i / 32;
    if (x == 0 || x == 31 || z == 0 || z == 31) continue;
    const size_t at = size_t(i) * 4;
    const size_t sector = size_t(b[at]) << 16 | size_t(b[at + 1]) << 8 | b[at + 2];
    const size_t count = b[at + 3];
    if (sector == 0 || count == 0 || (sector + count) * 4096 > b.size()) continue;
    const size_t placed = file.size() / 4096;
    file.insert(file.end(), b.begin() + std::ptrdiff_t(sector * 4096), b.begin() + std::ptrdiff_t((sector + count) * 4096));
    file[at] = uint8_t(placed >> 16), file[at + 1] = uint8_t(placed >> 8), file[at + 2] = uint8_t(placed);
    file[at + 3] = uint8_t(count);
    const uint32_t stamp = (uint32_t(a[4096 + at]) << 24 | uint32_t(a[4096 + at + 1]) << 16 |
                            uint32_t(a[4096 + at + 2]) << 8 | a[4096 + at + 3]) + 86400;
    for (int k = 0; k < 4; ++k) file[4096 + at + size_t(k)] = uint8_t(stamp >> (24 - 8 * k));
  }
  std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int across = argc > 1 ? std::atoi(argv[1]) : 4;
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
  const fs::path work = fs::temp_directory_path() / ("sg-zoomable-" + std::to_string(::getpid()));
  fs::create_directories(work);
  ::setenv("SG_RENDER_CACHE", (work / "cache").c_str(), 1);
  // Regions of two demo worlds: the first world's r.0.0 under every name, and the second's
  // to change one of them.
  const std::string demo = SG_DEMO_WORLD;
  if (!run(demo + " " + (work / "one").string() + " --chunks 64 64 --no-nether") ||
      !run(demo + " " + (work / "two").string() + " --chunks 64 64 --no-nether --seed 7")) {
    std::fprintf(stderr, "cannot write the demo worlds\n");
    return 1;
  }
  const fs::path region = work / "one" / "region" / "r.0.0.mca";
  fs::create_directories(work / "big" / "region");
  for (int z = 0; z < across; ++z)
    for (int x = 0; x < across; ++x)
      fs::copy_file(region, work / "big" / "region" / ("r." + std::to_string(x) + "." + std::to_string(z) + ".mca"));
  const std::string image = (work / "map.png").string(), world = (work / "big").string();
  const std::string renderer = std::string(SG_RENDERER) + " custom " + world + " normal outfile " + image;

  std::printf("%d x %d regions, Normal style (%d x %d pixels), best and range of %d runs:\n", across, across,
              across * 512, across * 512, repeats);
  if (!run(renderer + " nocache")) return 1;
  // The map's rows, held for the writer's baseline.
  sgimage::PngRowReader reader;
  std::string error;
  if (!reader.open(image, error)) return 1;
  const int w = reader.width(), h = reader.height();
  std::vector<uint8_t> pixels(size_t(w) * h * 4);
  for (int y = 0; y < h; ++y) std::copy_n(reader.next(error), size_t(w) * 4, pixels.data() + size_t(y) * w * 4);
  reader.close();

  std::vector<double> ratios, reread, again;
  for (int r = 0; r < repeats; ++r) {
    const double png = seconds([&] {
      sgimage::PngRowWriter out;
      std::string e;
      out.open((work / "copy.png").string(), w, h, e);
      for (int y = 0; y < h; ++y) out.write(pixels.data() + size_t(y) * w * 4, e);
      out.finish(e);
    });
    // As the post processor makes them: from the rows it writes.
    fs::remove_all(work / "map_map");
    sgmap::MapMade made;
    const double fed = seconds([&] {
      sgmap::ZoomableMapWriter map;
      std::string e;
      map.open(image, w, h, e);
      for (int y = 0; y < h; ++y) map.row(pixels.data() + size_t(y) * w * 4, e);
      map.finish({}, e, &made);
    });
    // As the renderer makes them beside its own final image: read back from the file.
    fs::remove_all(work / "map_map");
    const double tiles = seconds([&] { sgmap::makeZoomableMap(image, {}, error); });
    const double second = seconds([&] { sgmap::makeZoomableMap(image, {}, error); });
    ratios.push_back(fed / png);
    reread.push_back(tiles / png);
    again.push_back(second / tiles);
    std::printf("  one PNG %.2f s; every tile (%zu) from the rows %.2f s: %.2f x; read back %.2f s: %.2f x; "
                "again, unchanged: %.2f s, %.2f x\n",
                png, made.written, fed, fed / png, tiles, tiles / png, second, second / tiles);
  }
  auto range = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    char s[64];
    std::snprintf(s, sizeof s, "%.2f..%.2f", v.front(), v.back());
    return std::string(s);
  };
  std::printf("tiles from the rows against one PNG: %s (goal at most 1.5)\n", range(ratios).c_str());
  std::printf("tiles read back from the image against one PNG: %s\n", range(reread).c_str());
  std::printf("the same map again against the first: %s\n", range(again).c_str());

  // A whole render with its map: first with nothing cached, then after one region changed:
  // replaced whole by another (its neighbours, which blend with its edges, are drawn again
  // too), and with only the chunks inside its border ring changed.
  if (!spliceInner(region, work / "two" / "region" / "r.0.0.mca", work / "inner.mca")) return 1;
  for (const char* change : {"whole", "inner"}) {
    std::vector<double> jobs;
    for (int r = 0; r < repeats; ++r) {
      fs::remove_all(work / "cache");
      fs::remove_all(work / "map_map");
      const fs::path changed = work / "big" / "region" / "r.1.1.mca";
      fs::copy_file(region, changed, fs::copy_options::overwrite_existing);
      const double first = seconds([&] { run(renderer + " zoomablemap"); });
      fs::copy_file(std::string(change) == "whole" ? work / "two" / "region" / "r.0.0.mca" : work / "inner.mca",
                    changed, fs::copy_options::overwrite_existing);
      const double second = seconds([&] { run(renderer + " zoomablemap"); });
      jobs.push_back(second / first);
      std::printf("  render with the map %.2f s; after one region changed (%s) %.2f s: %.2f x\n", first, change,
                  second, second / first);
    }
    std::printf("the render after one region of %d changed (%s) against the first: %s (goal at most 0.2)\n",
                across * across, change, range(jobs).c_str());
  }
  fs::remove_all(work);
  return 0;
}
