// Peak memory of the renderer on a 20 x 20-region world (10,240 x 10,240 blocks) in the Normal
// style, with lowramwrite and without, and in the Isometric style with lowramwrite (its whole
// image would be 40,960 x 21,248 pixels), alone and with its zoomable map, with the time each
// took. The world is one demo-world region linked under 400 region names: the renderer places
// chunks by their file's name.
// Usage: bench_render_memory [regions across, default 20] [normal|isometric|both, default both]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>


namespace fs = std::filesystem;

namespace {

// Runs a program and returns its peak resident memory in MB (0 when it failed). This process
// stays small, since a child's peak counts what it took over from its parent.
double peakMegabytes(const std::vector<std::string>& args, double& seconds) {
  std::fflush(stdout);
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    freopen("/dev/null", "w", stdout);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  const int across = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::string styles = argc > 2 ? argv[2] : "both";
  const fs::path work = fs::temp_directory_path() / ("sg-memory-" + std::to_string(::getpid()));
  // 64 x 64 chunks from -32: the region r.0.0 is whole.
  double took = 0;
  if (peakMegabytes({SG_DEMO_WORLD, (work / "one").string(), "--chunks", "64", "64", "--no-nether"}, took) == 0) {
    std::fprintf(stderr, "cannot write the demo world\n");
    return 1;
  }
  const fs::path region = work / "one" / "region" / "r.0.0.mca";
  fs::create_directories(work / "big" / "region");
  for (int z = 0; z < across; ++z)
    for (int x = 0; x < across; ++x)
      fs::create_hard_link(region, work / "big" / "region" / ("r." + std::to_string(x) + "." + std::to_string(z) + ".mca"));
  // Nothing is taken from the render cache, nor kept in it.
  const std::string out = (work / "map.png").string();
  ::setenv("SG_RENDER_CACHE", (work / "cache").c_str(), 1);
  if (styles != "isometric") {
    std::printf("%d x %d regions (%d x %d pixels), Normal style:\n", across, across, across * 512, across * 512);
    for (bool low : {true, false}) {
      std::vector<std::string> args = {SG_RENDERER, "custom", (work / "big").string(), "normal", "nocache", "outfile", out};
      if (low) args.push_back("lowramwrite");
      double seconds = 0;
      double mb = peakMegabytes(args, seconds);
      std::printf("  %-16s peak resident memory %.0f MB%s, %.1f s\n", low ? "lowramwrite" : "whole image", mb,
                  low ? " (goal 128)" : "", seconds);
    }
  }
  if (styles != "normal") {
    std::printf("%d x %d regions, Isometric style (%d x %d pixels):\n", across, across, 4 * across * 512,
                2 * across * 512 + 2 * 384 + 2);
    for (bool map : {false, true}) {
      std::vector<std::string> args = {SG_RENDERER, "custom", (work / "big").string(), "isometric", "nocache",
                                       "lowramwrite", "outfile", out};
      if (map) args.push_back("zoomablemap");
      double seconds = 0;
      double mb = peakMegabytes(args, seconds);
      std::printf("  %-16s peak resident memory %.0f MB (goal 256), %.1f s\n",
                  map ? "+ zoomable map" : "lowramwrite", mb, seconds);
    }
  }
  fs::remove_all(work);
  return 0;
}
