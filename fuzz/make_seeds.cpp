// Writes the fuzz targets' seed corpora with the project's own writers: chunks of every storage
// layout, a region file, a PNG, and the files the program itself writes (a batch job, its
// command lines, a stack row, settings.dat, an offset file, a mod block list).
// Usage: sg_fuzz_seeds <corpus folder>
#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz_support.h"
#include "imaging/png_rows.h"
#include "renderer/cache/render_cache.h"
#include "renderer/newer_blocks_list.h"
#include "renderer/styles/ground_census.h"
#include "renderer/renderer.h"
#include "worldgen/bedrock_chunks.h"
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
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) c.setBiome(x, z, x < 8 ? "swamp" : "desert");
  return c;
}

// A region file whose table entries (those `named` picks) all name one sector holding the
// chunk's tags: the shape of the hostile regions that once cost memory by the thread.
std::string sharedSectorRegion(const std::string& tags, bool (*named)(int)) {
  const std::vector<uint8_t> packed = compress(std::vector<uint8_t>(tags.begin(), tags.end()), Compression::Zlib);
  std::string body;
  const uint32_t length = uint32_t(packed.size() + 1);
  for (int shift : {24, 16, 8, 0}) body += char(length >> shift);
  body += char(2);
  body.append(packed.begin(), packed.end());
  const size_t sectors = (body.size() + 4095) / 4096;
  body.resize(sectors * 4096, '\0');
  std::string header;
  for (int i = 0; i < 1024; ++i)
    header += named(i) ? std::string{char(0), char(0), char(2), char(sectors)} : std::string(4, '\0');
  return header + std::string(4096, '\0') + body;
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

  // Hostile regions: a million empty compounds in every entry; a chunk of 4,096 levels; a
  // checkerboard of chunks of a new block at every level.
  std::string bomb("\x0a\x00\x00\x09\x00\x01x\x0a\x00\x0f\x42\x40", 12);
  bomb += std::string(1000001, '\0');
  // A few entries each: the fuzzer's time goes into changing them, not into reading 1,024.
  seed("fuzz_region", "tag-bomb", sharedSectorRegion(bomb, [](int i) { return i < 4; }));
  {
    ChunkColumn tall(0, 0, -2048, 4096);
    tall.set(0, -2048, 0, tall.name("stone"));
    tall.set(0, 2047, 0, tall.name("stone"));
    seed("fuzz_region", "tall-chunk", sharedSectorRegion(str(encodeChunk(tall, Layout::BlockStates)), [](int i) { return i < 4; }));
    ChunkColumn layers(0, 0, -64, 384);
    const uint16_t stone = layers.name("stone"), dirt = layers.name("dirt");
    for (int y = -64; y < 320; ++y)
      for (int i = 0; i < 256; ++i) layers.set(i % 16, y, i / 16, (y & 1) ? stone : dirt);
    seed("fuzz_region", "checkerboard",
         sharedSectorRegion(str(encodeChunk(layers, Layout::BlockStates)),
                            [](int i) { return i % 32 < 4 && i / 32 < 4 && (i % 32 + i / 32) % 2 == 0; }));
  }

  // Compressed chunks, an external chunk file and an Alpha chunk file.
  const std::vector<uint8_t> chunkTags = encodeChunk(smallChunk(Layout::BlockStates), Layout::BlockStates);
  seed("fuzz_lz4", "lz4", std::string(1, '\x03') + str(compress(chunkTags, Compression::Lz4)));
  seed("fuzz_lz4", "zlib", std::string(1, '\x01') + str(compress(chunkTags, Compression::Zlib)));
  seed("fuzz_external_chunk", "zlib", std::string(1, '\x01') + str(compress(chunkTags, Compression::Zlib)));
  seed("fuzz_alpha_files", "alpha",
       std::string(1, '\0') + str(compress(encodeChunk(smallChunk(Layout::Alpha), Layout::Alpha), Compression::Gzip)));
  writeLevelFile(".", "Seed", Layout::BlockStates);
  seed("fuzz_level_file", "level", slurp("level.dat"));

  // A Bedrock world's store (its table, manifest and log) and a chunk's records.
  {
    sgworld::DbLayout db;
    db.blockSize = 64;
    db.tables = {{{"a", "1"}, {"b", "2"}, {"chunk", std::string(200, 'x')}, {"d", "", true}}};
    db.logBatches = {{{"c", "3"}, {"a", "", true}}};
    std::string error;
    fs::remove_all("seed-db");
    sgworld::writeLevelDb("seed-db", db, error);
    // The first byte: which file (its half), and whether the walk keeps the blocks (odd).
    seed("fuzz_level_db", "table", "\x00" + slurp("seed-db/000003.ldb"));
    seed("fuzz_level_db", "table-kept", "\x01" + slurp("seed-db/000003.ldb"));
    seed("fuzz_level_db", "manifest", "\x02" + slurp("seed-db/MANIFEST-000002"));
    seed("fuzz_level_db", "log", "\x04" + slurp("seed-db/000004.log"));
    std::vector<std::string> mixed(4096);
    for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = i % 3 ? "stone" : i % 2 ? "water" : "oak_log";
    for (int version : {1, 8, 9}) seed("fuzz_bedrock_chunk", "v" + std::to_string(version), sgworld::encodeSubChunk(mixed, 0, version));
    seed("fuzz_bedrock_chunk", "one-block", sgworld::encodeSubChunk(std::vector<std::string>(4096, "stone"), 0, 9, 0));
    for (const auto& r : sgworld::bedrockChunkRecords(smallChunk(Layout::BlockStates), {}))
      if (static_cast<uint8_t>(r.key[8]) == 43) seed("fuzz_bedrock_chunk", "data3d", r.value);
  }

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
  sgrender::runRenderer({"custom", world.folder.string(), "name", "seed", "zoomablemap", "outfile", "renderJob1layer0.png"},
                        errors);
  seed("fuzz_map_facts", "layer", slurp("renderJob1layer0_map.txt"));
  seed("fuzz_map_facts", "sums", "strandvale-g tile sums 2\n0 0 0 1234567890123 2048 1765432109876543210\n");
  std::string mods = sgrender::newerBlocksListText();
  seed("fuzz_mod_list", "newer-blocks", mods.substr(0, 600));
  seed("fuzz_locale", "german",
       "@author\r\nSeed\r\n@charset\r\n0\r\nRender\r\nRendern\r\nSelect...\r\nAuswahl...\r\n");
  // The render cache: a region's ground, bare and in an entry file.
  const std::vector<sgrender::GroundEvent> ground = {{0, 0, false, {{62, 200}, {63, 56}}, 70}, {1, 0, true, {}, INT_MIN}};
  const std::vector<uint8_t> groundBytes = sgrender::groundBytes(ground);
  seed("fuzz_cache_entry", "ground", std::string(1, '\0') + str(groundBytes));
  const sgrender::RenderCache cache("seed-cache");
  const sgrender::CacheKey key = sgrender::KeyMaker().add(std::string_view("fuzz")).key();
  if (cache.store(key, "ground", sgrender::CacheEntry{{1, 2, 3}, groundBytes}, true))
    seed("fuzz_cache_entry", "entry", "\x01" + slurp(fs::path("seed-cache") / (key.name() + ".sgcache")));
  return 0;
}
