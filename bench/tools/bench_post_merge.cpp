// The post processor merging 16 layers of 4,096 x 4,096 pixels: its peak resident memory
// (goal 64 MB), and its time against decoding and encoding one such image in the same run.
// Usage: bench_post_merge [layers] [size]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/png_row_reader.h"
#include "imaging/png_rows.h"

namespace fs = std::filesystem;

namespace {

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// A layer like a render's: areas of colour with see-through gaps, different in every layer.
bool writeLayer(const std::string& file, int size, int k) {
  sgimage::PngRowWriter w;
  std::string error;
  if (!w.open(file, size, size, error)) return false;
  std::vector<uint8_t> row(static_cast<size_t>(size) * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      bool hole = ((x / 64 + y / 64 + k) % 5) == 0;
      uint8_t* p = row.data() + 4 * x;
      p[0] = static_cast<uint8_t>(x / 16 + k * 13), p[1] = static_cast<uint8_t>(y / 16), p[2] = static_cast<uint8_t>(k * 15);
      p[3] = hole ? 0 : 255;
    }
    if (!w.write(row.data(), error)) return false;
  }
  return w.finish(error);
}

}  // namespace

int main(int argc, char** argv) {
  const int layers = argc > 1 ? std::atoi(argv[1]) : 16, size = argc > 2 ? std::atoi(argv[2]) : 4096;
  const fs::path work = fs::temp_directory_path() / ("sg-merge-" + std::to_string(::getpid()));
  fs::create_directories(work);
  std::vector<std::string> args = {SG_POST_PROCESSOR, "merge", std::to_string(layers)};
  for (int k = 0; k < layers; ++k) {
    std::string name = (work / ("layer" + std::to_string(k) + ".png")).string();
    if (!writeLayer(name, size, k)) {
      std::fprintf(stderr, "cannot write the layers\n");
      return 1;
    }
    args.push_back(name);
  }
  args.insert(args.end(), {"rotate", "90", "output", (work / "merged.png").string()});

  // The baseline: decode one layer and encode it again.
  double t0 = now();
  {
    sgimage::PngRowReader r;
    sgimage::PngRowWriter w;
    std::string error;
    r.open(args[3], error);
    w.open((work / "copy.png").string(), r.width(), r.height(), error);
    for (int y = 0; y < r.height(); ++y) w.write(r.next(error), error);
    w.finish(error);
  }
  const double baseline = now() - t0;

  std::fflush(stdout);
  t0 = now();
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv2;
    for (auto& a : args) argv2.push_back(a.data());
    argv2.push_back(nullptr);
    execv(argv2[0], argv2.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double took = now() - t0;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "the post processor failed\n");
    return 1;
  }
  std::printf("merging %d layers of %d x %d and turning the result: peak resident memory %.0f MB (goal 64),"
              " %.1f s = %.1f times one image's decode and encode (%.2f s)\n",
              layers, size, size, usage.ru_maxrss / 1024.0, took, took / baseline, baseline);
  fs::remove_all(work);
  return 0;
}
