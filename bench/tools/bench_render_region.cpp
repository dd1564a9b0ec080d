// Rendering one region (32 x 32 chunks, 512 x 512 block columns) against decompressing the
// same region's chunks alone, in the same run; reported as a ratio.
// Usage: bench_render_region [region file]. Without one it uses the game-saved region that
// the tools' tests fetch into the build folder, or else writes a region of its own.
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "renderer/world/region_file.h"
#include "renderer/renderer.h"

namespace fs = std::filesystem;

namespace {

// A full region of sectioned chunks: hilly stone, dirt and grass, water in the hollows.
void writeSyntheticRegion(const fs::path& path) {
  std::string header(8192, '\0'), body;
  size_t sector = 2;
  for (int i = 0; i < 1024; ++i) {
    int cx = i % 32, cz = i / 32;
    std::string t;
    auto u8 = [&](int v) { t += char(v); };
    auto u16 = [&](int v) { u8(v >> 8); u8(v & 255); };
    auto u32 = [&](uint32_t v) { u16(int(v >> 16)); u16(int(v & 0xffff)); };
    auto head = [&](int type, const std::string& n) { u8(type); u16(int(n.size())); t += n; };
    auto arr = [&](const std::string& n, const std::vector<uint8_t>& a) {
      head(7, n); u32(uint32_t(a.size())); t.append(a.begin(), a.end());
    };
    head(10, "");
    head(10, "Level");
    head(3, "xPos"); u32(uint32_t(cx));
    head(3, "zPos"); u32(uint32_t(cz));
    head(9, "Sections"); u8(10); u32(5);
    for (int s = 0; s < 5; ++s) {
      std::vector<uint8_t> blocks(4096), nib(2048);
      for (int k = 0; k < 4096; ++k) {
        int x = k & 15, z = (k >> 4) & 15, y = s * 16 + (k >> 8);
        int h = 58 + (((cx * 16 + x) * 7 + (cz * 16 + z) * 13) % 11);
        blocks[k] = uint8_t(y < h - 3 ? 1 : y < h ? 3 : y == h ? 2 : y <= 62 ? 9 : 0);
      }
      head(1, "Y"); u8(s);
      arr("Blocks", blocks); arr("Data", nib); arr("BlockLight", nib); arr("SkyLight", nib);
      u8(0);
    }
    u8(0);
    u8(0);
    uLongf size = compressBound(uLong(t.size()));
    std::string z(size, '\0');
    compress2(reinterpret_cast<Bytef*>(z.data()), &size, reinterpret_cast<const Bytef*>(t.data()), uLong(t.size()), 6);
    z.resize(size);
    std::string entry;
    uint32_t len = uint32_t(z.size() + 1);
    entry += char(len >> 24); entry += char(len >> 16); entry += char(len >> 8); entry += char(len);
    entry += char(2);
    entry += z;
    size_t sectors = (entry.size() + 4095) / 4096;
    entry.resize(sectors * 4096, '\0');
    header[i * 4] = char(sector >> 16); header[i * 4 + 1] = char(sector >> 8);
    header[i * 4 + 2] = char(sector); header[i * 4 + 3] = char(sectors);
    body += entry;
    sector += sectors;
  }
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << header << body;
}

double seconds(std::chrono::steady_clock::time_point a) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

}  // namespace

int main(int argc, char** argv) {
  fs::path work = fs::temp_directory_path() / ("sg-bench-" + std::to_string(::getpid()));
  fs::path region = work / "world" / "region" / "r.0.0.mca";
  fs::create_directories(region.parent_path());
  std::string source = argc > 1 ? argv[1] : SG_BENCH_REGION;
  if (fs::exists(source)) {
    fs::copy_file(source, region);
  } else {
    source = "a region written by this benchmark";
    writeSyntheticRegion(region);
  }
  sgrender::RegionFile file;
  std::string error;
  if (!file.open(region.string(), error)) {
    std::fprintf(stderr, "cannot open the region: %s\n", error.c_str());
    return 1;
  }
  const int rounds = 5;
  size_t chunks = 0, bytes = 0;
  std::vector<uint8_t> out;
  auto t0 = std::chrono::steady_clock::now();
  // The baseline: zlib's own inflate of every chunk, whatever the renderer inflates with.
  out.resize(4u << 20);
  for (int r = 0; r < rounds; ++r)
    for (int z = 0; z < 32; ++z)
      for (int x = 0; x < 32; ++x) {
        const uint8_t* data;
        size_t size;
        int method;
        if (!file.hasChunk(x, z) || !file.compressedChunk(x, z, data, size, method, error)) continue;
        z_stream zs{};
        inflateInit2(&zs, 15 + 32);
        zs.next_in = const_cast<Bytef*>(data);
        zs.avail_in = static_cast<uInt>(size);
        zs.next_out = out.data();
        zs.avail_out = static_cast<uInt>(out.size());
        if (inflate(&zs, Z_FINISH) == Z_STREAM_END) {
          ++chunks;
          bytes += zs.total_out;
        }
        inflateEnd(&zs);
      }
  double inflateTime = seconds(t0) / rounds;

  fs::current_path(work);
  std::ostringstream errors;
  t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r)
    if (sgrender::runRenderer({"custom", "world", "name", "bench", "normal", "north", "outfile",
                               "bench.png"}, errors) != 0) {
      std::fprintf(stderr, "render failed: %s\n", errors.str().c_str());
      return 1;
    }
  double renderTime = seconds(t0) / rounds;
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(work);

  std::printf("region: %s\n", source.c_str());
  std::printf("chunks: %zu, %.1f MB of tags\n", chunks / rounds, bytes / rounds / 1e6);
  std::printf("decompressing the chunks alone: %.1f ms\n", inflateTime * 1e3);
  std::printf("rendering the region to a PNG:  %.1f ms\n", renderTime * 1e3);
  std::printf("ratio render / zlib inflate: %.2f\n", renderTime / inflateTime);
  std::printf("chunks per second: %.0f\n", chunks / rounds / renderTime);
  return 0;
}
