// Drawing a Bedrock world from above against the raw-deflate inflate of its store's blocks, in
// the same run: a demo world of 4 regions written as a Bedrock world, its table blocks
// inflated with zlib on one thread (the baseline), then the map drawn without the cache on one
// thread and on the renderer's default, one per core, and the same chunks written as a Java
// world and drawn alike. Each the best of five; the ratios are the map's time over the
// inflate's, and over the Java world's map.
// Usage: bench_bedrock [regions [draws]]; with draws, only the Bedrock map is drawn, that many
// times, on SG_BENCH_THREADS threads (default 1; for a profiler).
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "renderer/renderer.h"
#include "renderer/work_pool.h"
#include "renderer/world/bedrock/bedrock_world.h"
#include "worldgen/demo_world.h"

namespace fs = std::filesystem;

namespace {

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

uint64_t varint(const std::string& s, size_t& at) {
  uint64_t v = 0;
  for (int shift = 0; at < s.size() && shift < 64; shift += 7) {
    const uint8_t b = static_cast<uint8_t>(s[at++]);
    v |= uint64_t(b & 0x7f) << shift;
    if (!(b & 0x80)) break;
  }
  return v;
}

// Every data block of a table file, as stored (compressed), found through its index.
std::vector<std::string> storedBlocks(const fs::path& table) {
  std::ifstream in(table, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string file = ss.str();
  size_t at = file.size() - 48;
  varint(file, at);
  varint(file, at);
  const uint64_t indexOffset = varint(file, at), indexSize = varint(file, at);
  const std::string index = file.substr(indexOffset, indexSize);  // written plain
  const uint32_t restarts = *reinterpret_cast<const uint32_t*>(index.data() + index.size() - 4);
  const size_t end = index.size() - 4 - restarts * 4;
  std::vector<std::string> blocks;
  size_t p = 0;
  while (p < end) {
    varint(index, p);
    const uint64_t unshared = varint(index, p), valueLength = varint(index, p);
    p += unshared;
    size_t h = p;
    const uint64_t offset = varint(index, h), size = varint(index, h);
    p += valueLength;
    blocks.push_back(file.substr(offset, size));
  }
  return blocks;
}

size_t inflatedBytes = 0;

double inflateAll(const std::vector<std::string>& blocks) {
  std::vector<uint8_t> out(1u << 20);
  inflatedBytes = 0;
  const double t0 = now();
  for (const auto& b : blocks) {
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(b.data()));
    z.avail_in = static_cast<uInt>(b.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    inflate(&z, Z_FINISH);
    inflatedBytes += z.total_out;
    inflateEnd(&z);
  }
  return now() - t0;
}

}  // namespace

int main(int argc, char** argv) {
  const int regions = argc > 1 ? std::atoi(argv[1]) : 4;
  const fs::path folder = fs::temp_directory_path() / "sg-bench-bedrock";
  fs::remove_all(folder);
  sgworld::DemoWorld world;
  world.folder = folder;
  world.setRegions(regions);
  world.nether = false;
  world.bedrock = true;
  std::string error;
  if (!sgworld::writeDemoWorld(world, error)) {
    std::fprintf(stderr, "bench_bedrock: %s\n", error.c_str());
    return 1;
  }
  std::vector<std::string> blocks;
  for (const auto& e : fs::directory_iterator(folder / "db"))
    if (e.path().extension() == ".ldb")
      for (auto& b : storedBlocks(e.path())) blocks.push_back(std::move(b));
  const std::string out = (fs::temp_directory_path() / "sg-bench-bedrock.png").string();
  auto render = [&](const fs::path& w, const char* threads) {
    std::ostringstream errors;
    const double t0 = now();
    std::vector<std::string> words = {"custom", w.string(), "name", "b", "normal", "north", "nocache", "outfile", out};
    if (threads) words.insert(words.end(), {"threads", threads});  // none: the default, one per core
    if (sgrender::runRenderer(words, errors) != 0) {
      std::fprintf(stderr, "bench_bedrock: %s", errors.str().c_str());
      std::exit(1);
    }
    return now() - t0;
  };
  if (argc > 2) {
    const char* threads = std::getenv("SG_BENCH_THREADS") ? std::getenv("SG_BENCH_THREADS") : "1";
    for (int i = std::atoi(argv[2]); i > 0; --i) render(folder, threads);
    return 0;
  }
  const fs::path javaFolder = fs::temp_directory_path() / "sg-bench-bedrock-java";
  fs::remove_all(javaFolder);
  world.folder = javaFolder;
  world.bedrock = false;
  if (!sgworld::writeDemoWorld(world, error)) {
    std::fprintf(stderr, "bench_bedrock: %s\n", error.c_str());
    return 1;
  }
  double inflate = 1e9, draw = 1e9, java = 1e9, read = 1e9, drawCores = 1e9, javaCores = 1e9;
  // Reading alone: every chunk's records from the store, decoded into the chunk model.
  auto readAll = [&] {
    sgrender::WorldChunks chunks;
    std::string why;
    const double t0 = now();
    if (!sgrender::listBedrockChunks(folder, {}, chunks, why)) std::exit(1);
    sgrender::Chunk chunk;
    for (const auto& g : chunks.groups)
      for (const auto& place : g.chunks) sgrender::readBedrockChunk(*g.bedrock, place, chunk, why);
    return now() - t0;
  };
  for (int round = 0; round < 5; ++round) {
    inflate = std::min(inflate, inflateAll(blocks));
    draw = std::min(draw, render(folder, "1"));
    java = std::min(java, render(javaFolder, "1"));
    drawCores = std::min(drawCores, render(folder, nullptr));
    javaCores = std::min(javaCores, render(javaFolder, nullptr));
    read = std::min(read, readAll());
  }
  std::printf("reading and decoding every chunk %.3f s, ratio %.2f\n", read, read / inflate);
  std::printf("the table blocks hold %.1f MB inflated\n", inflatedBytes / 1e6);
  std::printf("bedrock world of %d regions, %zu table blocks, inflate %.3f s\n", regions, blocks.size(), inflate);
  std::printf("one thread: map from above %.3f s, ratio %.2f; the Java world's map %.3f s, Bedrock over Java %.2f\n",
              draw, draw / inflate, java, draw / java);
  std::printf("%d threads (one per core): map from above %.3f s, ratio %.2f; the Java world's map %.3f s, "
              "Bedrock over Java %.2f\n",
              sgrender::usableCores(), drawCores, drawCores / inflate, javaCores, drawCores / javaCores);
  fs::remove_all(folder);
  fs::remove_all(javaFolder);
  fs::remove(out);
  return 0;
}
