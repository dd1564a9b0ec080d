// Rendering whole regions against zlib's own inflate of the same chunks, in the same run:
//  1. one region in the Normal style on one thread: the game-saved 1.12.2 and 1.20.6 regions
//     (fetched into the build folder by the tools' tests) and a demo-world region;
//  2. the same in the Isometric style;
//  3. a 16-region demo world on one thread and on every thread, as a speed-up, with the cores
//     the process really got (user and system time over wall time), the runs taken in turn;
//  4. the render cache on that world: a second render of it unchanged, and one after a chunk of
//     one region was saved again, each against the first render (which fills the cache).
// Usage: bench_render_region [--regions | --threads | --cache] [region file ...]
//   (one of the three parts alone: 1 and 2, 3, or 4)
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "renderer/renderer.h"
#include "renderer/work_pool.h"
#include "renderer/world/region_file.h"
#include "worldgen/demo_world.h"

namespace fs = std::filesystem;

namespace {

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

// zlib's inflate of every chunk of a region, in seconds (the best of three); counts the chunks.
// The compressed chunks are read first, so that only the inflating is timed.
double zlibInflate(const fs::path& region, size_t& chunks) {
  sgrender::RegionFile file;
  std::string error;
  if (!file.open(region.string(), error)) return 0;
  std::vector<std::vector<uint8_t>> stored;
  for (int z = 0; z < 32; ++z)
    for (int x = 0; x < 32; ++x) {
      int method;
      std::vector<uint8_t> bytes;
      if (file.hasChunk(x, z) && file.compressedChunk(x, z, bytes, method, error)) stored.push_back(std::move(bytes));
    }
  std::vector<uint8_t> out(4u << 20);
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    chunks = 0;
    double t0 = now();
    for (const auto& bytes : stored) {
      z_stream zs{};
      inflateInit2(&zs, 15 + 32);
      zs.next_in = const_cast<Bytef*>(bytes.data());
      zs.avail_in = static_cast<uInt>(bytes.size());
      zs.next_out = out.data();
      zs.avail_out = static_cast<uInt>(out.size());
      if (inflate(&zs, Z_FINISH) == Z_STREAM_END) ++chunks;
      inflateEnd(&zs);
    }
    best = std::min(best, now() - t0);
  }
  return best;
}

// Renders a world (the best of `rounds`), in seconds; 0 when it fails. Without the cache
// unless `cached`.
double render(const fs::path& world, const std::string& style, int threads, double* cores = nullptr,
              bool cached = false, int rounds = 3) {
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    std::ostringstream errors, reports;
    double t0 = now(), c0 = cpuSeconds();
    std::vector<std::string> words{"custom", world.string(), style, "north", "threads", std::to_string(threads),
                                   "outfile", (fs::temp_directory_path() / "sg-bench.png").string()};
    if (!cached) words.push_back("nocache");
    int status = sgrender::runRenderer(words, errors, &reports);
    double wall = now() - t0;
    if (status != 0) {
      std::fprintf(stderr, "render failed: %s\n", errors.str().c_str());
      return 0;
    }
    if (wall < best) {
      best = wall;
      if (cores) *cores = (cpuSeconds() - c0) / wall;
    }
  }
  return best;
}

// Saves a chunk of a region again, as the game would: its time in the file moves on.
void saveAgain(const fs::path& region, int localX, int localZ) {
  std::fstream f(region, std::ios::in | std::ios::out | std::ios::binary);
  const std::streamoff at = 4096 + 4 * (localX + localZ * 32);
  f.seekg(at);
  char t[4];
  f.read(t, 4);
  t[3] = static_cast<char>(t[3] + 1);
  f.seekp(at);
  f.write(t, 4);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path work = fs::temp_directory_path() / ("sg-bench-" + std::to_string(::getpid()));
  fs::create_directories(work);
  // The bench keeps its own render cache, and leaves the user's alone.
  const fs::path cache = work / "cache";
  ::setenv("SG_RENDER_CACHE", cache.c_str(), 1);
  std::string only;
  if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0) {
    only = argv[1] + 2;
    --argc, ++argv;
  }
  auto part = [&](const char* name) { return only.empty() || only == name; };
  std::vector<std::pair<std::string, fs::path>> regions;
  for (int i = 1; i < argc; ++i) regions.emplace_back(argv[i], argv[i]);
  if (argc == 1 && part("regions")) {
    for (const char* v : {"1.12.2", "1.20.6"}) {
      fs::path dir = fs::path(SG_BENCH_FIXTURES) / v;
      std::error_code ec;
      for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        if (it->path().extension() == ".mca") {
          regions.emplace_back(std::string("game-saved ") + v, it->path());
          break;
        }
    }
    sgworld::DemoWorld demo;
    demo.folder = work / "demo";
    demo.nether = false;
    demo.chunksX = demo.chunksZ = 32;
    std::string error;
    if (sgworld::writeDemoWorld(demo, error))
      for (auto& e : fs::directory_iterator(demo.folder / "region")) {
        regions.emplace_back("demo world", e.path());
        break;
      }
  }

  for (const char* style : {"normal", "isometric"}) {
    if (regions.empty()) break;
    std::printf("%s style, one thread (render / zlib inflate of the same chunks; goal %s):\n", style,
                std::string(style) == "normal" ? "1.3" : "3");
    for (const auto& [label, region] : regions) {
      fs::path world = work / "one";
      fs::remove_all(world);
      fs::create_directories(world / "region");
      fs::copy_file(region, world / "region" / region.filename());
      size_t chunks = 0;
      double inflate = zlibInflate(region, chunks);
      double took = render(world, style, 1);
      if (inflate <= 0 || took <= 0) continue;
      std::printf("  %-18s %4zu chunks: ratio %.2f, %.0f chunks per second\n", label.c_str(), chunks, took / inflate,
                  chunks / took);
    }
  }

  if (argc == 1 && (part("threads") || part("cache"))) {
    sgworld::DemoWorld big;
    big.folder = work / "sixteen";
    big.nether = false;
    big.setRegions(16);
    std::string error;
    if (sgworld::writeDemoWorld(big, error)) {
      for (const char* style : {"normal", "isometric"}) {
        if (!part("threads")) break;
        // One thread and every thread in turn, the best of five each, so that a spell of load on
        // the machine falls on both alike.
        double cores = 0, one = 1e9, all = 1e9;
        for (int round = 0; round < 5; ++round) {
          one = std::min(one, render(big.folder, style, 1, nullptr, false, 1));
          double roundCores = 0;
          const double took = render(big.folder, style, sgrender::usableCores(), &roundCores, false, 1);
          if (took < all) {
            all = took;
            cores = roundCores;
          }
        }
        std::printf("16-region demo world, %s style: 1 thread %.2f s, %d threads %.2f s: speed-up %.2f;"
                    " cores really used %.2f\n",
                    style, one, sgrender::usableCores(), all, one / all, cores);
      }
      const fs::path changing = big.folder / "region" / "r.0.0.mca";
      for (const char* style : {"normal", "isometric"}) {
        if (!part("cache")) break;
        double first = 1e9, again = 1e9, changed = 1e9;
        for (int round = 0; round < 3; ++round) {
          fs::remove_all(cache);
          first = std::min(first, render(big.folder, style, sgrender::usableCores(), nullptr, true, 1));
          again = std::min(again, render(big.folder, style, sgrender::usableCores(), nullptr, true, 1));
          saveAgain(changing, 10 + round, 10);
          changed = std::min(changed, render(big.folder, style, sgrender::usableCores(), nullptr, true, 1));
        }
        std::printf("render cache, 16-region demo world, %s style: first %.2f s; unchanged %.3f s (%.3f of the"
                    " first); one region changed %.3f s (%.3f of the first)\n",
                    style, first, again, again / first, changed, changed / first);
      }
      if (part("cache")) {
        // A first render into a cache of 100,000 other entries, against one into an empty cache:
        // a write must not cost the size of the folder.
        double empty = 1e9, full = 1e9;
        for (int round = 0; round < 3; ++round) {
          fs::remove_all(cache);
          empty = std::min(empty, render(big.folder, "normal", sgrender::usableCores(), nullptr, true, 1));
          fs::remove_all(cache);
          fs::create_directories(cache);
          for (int n = 0; n < 100000; ++n) {
            char name[48];
            std::snprintf(name, sizeof name, "%032x.sgcache", n);
            std::ofstream(cache / name) << "an entry of another render";
          }
          full = std::min(full, render(big.folder, "normal", sgrender::usableCores(), nullptr, true, 1));
        }
        std::printf("render cache, 16-region demo world, normal style, first render: empty cache %.2f s; a cache of"
                    " 100,000 entries %.2f s (%.2f of the empty)\n",
                    empty, full, full / empty);
      }
    }
  }
  fs::remove_all(work);
  return 0;
}
