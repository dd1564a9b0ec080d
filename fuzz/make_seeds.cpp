// Writes the fuzz targets' seed corpora with the project's own writers: chunks of every storage
// layout, a region file, a PNG, and the files the program itself writes (a batch job, its
// command lines, a stack row, settings.dat, an offset file, a mod block list).
// Usage: sg_fuzz_seeds <corpus folder>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "imaging/png_rows.h"
#include "renderer/newer_blocks_list.h"
#include "renderer/renderer.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/demo_world.h"
#include "worldgen/world_files.h"

namespace fs = std::filesystem;
using namespace sgworld;

namespace {

fs::path corpus;

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(corpus / target);
  std::ofstream(corpus / target / name, std::ios::binary) << bytes;
}
std::string str(const std::vector<uint8_t>& v) { return {v.begin(), v.end()}; }
std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

ChunkColumn smallChunk(Layout layout) {
  ChunkColumn c(0, 0, lowestLevel(layout), levelCount(layout));
  uint16_t stone = c.name("stone"), water = c.name("water"), wool = c.name("red_wool"), torch = c.name("torch");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) c.set(x, 1, z, stone);
  c.set(3, 2, 3, water);
  c.set(5, 2, 5, wool);
  c.set(7, 2, 7, torch);
  c.light.assign(c.blocks.size(), 0);
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sg_fuzz_seeds <corpus folder>\n");
    return 1;
  }
  corpus = fs::absolute(argv[1]);
  sgfuzz::enterWorkingFolder("seeds");

  for (Layout l : {Layout::Beta, Layout::Numeric, Layout::PaletteAcross, Layout::PaletteWithin, Layout::BlockStates}) {
    std::string tags = str(encodeChunk(smallChunk(l), l));
    seed("fuzz_nbt", layoutWord(l), tags);
    seed("fuzz_chunk", std::string(layoutWord(l)) + "-normal", std::string(1, '\0') + tags);
    seed("fuzz_chunk", std::string(layoutWord(l)) + "-isometric", std::string(1, '\x01') + tags);
  }
  RegionWriter region;
  region.put(0, 0, compress(encodeChunk(smallChunk(Layout::BlockStates), Layout::BlockStates), Compression::Zlib), 2);
  region.put(1, 0, compress(encodeChunk(smallChunk(Layout::Numeric), Layout::Numeric), Compression::Lz4), 4);
  region.write(".", 0, 0, "mca");
  seed("fuzz_region", "two-chunks", slurp("r.0.0.mca"));

  {
    sgimage::PngRowWriter png;
    std::string error;
    png.open("seed.png", 8, 8, error);
    std::vector<uint8_t> row(32);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) row[4 * x] = uint8_t(x * 30), row[4 * x + 1] = uint8_t(y * 30), row[4 * x + 3] = 255;
      png.write(row.data(), error);
    }
    png.finish(error);
    seed("fuzz_png", "eight", slurp("seed.png"));
  }

  // The program's own files: a world to list, Render pressed, and what it wrote.
  DemoWorld world;
  world.folder = "appdata/.minecraft/saves/Seed World";
  world.chunksX = world.chunksZ = 2;
  world.nether = false;
  std::string error;
  writeDemoWorld(world, error);
  {
    sgfuzz::App app;
    auto& form1 = app.start();
    seed("fuzz_level_line", "first-row", form1.control("stacklist").list(0));
    seed("fuzz_default_line", "row", form1.control("stacklist").list(0) + "\r\n");
    form1.control("checkcave").userClick();
    form1.control("Command5").userClick();  // Render
  }
  const std::string batch = slurp("renderJob0.bat");
  seed("fuzz_batch", "render-job", batch);
  seed("fuzz_settings", "after-render", slurp("settings.dat"));
  std::istringstream lines(batch);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (const char* tool : {"strandvale_g_renderer.exe ", "strandvale_g_post_processor.exe "})
      if (line.rfind(tool, 0) == 0) seed("fuzz_arguments", tool[13] == 'r' ? "renderer" : "post", line.substr(std::string(tool).size()));
  }
  std::ostringstream errors;
  sgrender::runRenderer({"custom", world.folder.string(), "name", "seed", "makeoffsetfile", "outfile", "seed.png"}, errors);
  seed("fuzz_offset_file", "marked", slurp("seedOffset.txt"));
  std::string mods = sgrender::newerBlocksListText();
  seed("fuzz_mod_list", "newer-blocks", mods.substr(0, 600));
  seed("fuzz_locale", "german",
       "@author\r\nSeed\r\n@charset\r\n0\r\nRender\r\nRendern\r\nSelect...\r\nAuswahl...\r\n");
  return 0;
}
