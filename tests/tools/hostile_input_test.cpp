// Worlds, options and jobs as a hostile user or a damaged disk supplies them: each ends with a
// clear message in bounded memory and time, loses nothing and leaves nothing behind.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "render_call.h"
#include "system/temporary_files.h"
#include "system/tool_system.h"
#include "renderer/formats/decode_chunk.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/nbt_writer.h"
#include "worldgen/world_files.h"
#include "world_builder.h"

using namespace sgtest;
using namespace sgworld;
namespace fs = std::filesystem;

namespace {

// One 1.18 chunk of stone at level 10, as its tags.
std::string stoneChunk(int cx, int cz) {
  ChunkColumn c(cx, cz, -64, 384);
  const uint16_t stone = c.name("stone");
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) c.set(x, 10, z, stone);
  auto tags = encodeChunk(c, Layout::BlockStates);
  return {tags.begin(), tags.end()};
}

// A world whose region holds the crafted chunk's tags at 0,0 and a good chunk beside it.
void withGoodNeighbour(const std::string& world, const std::vector<uint8_t>& tags) {
  sgtest::RegionWriter r;
  r.put(0, 0, std::string(tags.begin(), tags.end()));
  r.put(1, 0, stoneChunk(1, 0));
  fs::create_directories(world + "/region");
  r.write(world + "/region/r.0.0.mca");
}

void region(const std::string& world, int rx, int rz) {
  sgtest::RegionWriter w;
  w.put(0, 0, stoneChunk(0, 0));  // the place in the region decides, not the tags
  fs::create_directories(world + "/region");
  w.write(world + "/region/r." + std::to_string(rx) + "." + std::to_string(rz) + ".mca");
}

struct Outcome {
  int status = -1;
  std::string errors;
  long peakKilobytes = 0;
};

// Runs a program as a process of its own (its address space limited to that many bytes, when
// given): its exit status, standard error and peak memory.
Outcome runProgram(const std::vector<std::string>& args, uint64_t addressSpace = 0) {
  Outcome o;
  pid_t pid = ::fork();
  if (pid == 0) {
    if (addressSpace) {
      rlimit space{addressSpace, addressSpace};
      ::setrlimit(RLIMIT_AS, &space);
    }
    FILE* err = std::freopen("program.err", "w", stderr);
    (void)err;
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  o.errors = slurp("program.err");
  o.peakKilobytes = usage.ru_maxrss;
  return o;
}

// The address sanitizer keeps freed memory aside and adds its own, so a peak is only checked in
// the normal build.
#ifdef SG_SANITIZED
#define EXPECT_PEAK_BELOW(outcome, kilobytes) \
  if (true) {                                  \
  } else                                       \
    EXPECT_LT((outcome).peakKilobytes, (kilobytes))
#else
#define EXPECT_PEAK_BELOW(outcome, kilobytes) EXPECT_LT((outcome).peakKilobytes, (kilobytes))
#endif

// A region file whose table entries (those `named` picks) all name one sector, holding the
// chunk's tags.
void sharedSectorRegion(const std::string& world, const std::string& tags, const std::function<bool(int)>& named) {
  const std::string data = zlibCompress(tags);
  std::string body;
  const uint32_t length = uint32_t(data.size() + 1);
  for (int shift : {24, 16, 8, 0}) body += char(length >> shift);
  body += char(2);
  body += data;
  const size_t sectors = (body.size() + 4095) / 4096;
  body.resize(sectors * 4096, '\0');
  std::string header;
  for (int i = 0; i < 1024; ++i)
    header += named(i) ? std::string{char(0), char(0), char(2), char(sectors)} : std::string(4, '\0');
  header += std::string(4096, '\0');
  fs::create_directories(world + "/region");
  spit(world + "/region/r.0.0.mca", header + body);
}

// An interlaced PNG of side x side pixels: white, with a red pixel at the top left.
void writeInterlaced(const std::string& name, int side) {
  FILE* f = std::fopen(name.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t(side) * 4, 255);
  const int passes = png_set_interlace_handling(png);
  for (int p = 0; p < passes; ++p)
    for (int y = 0; y < side; ++y) {
      row[1] = row[2] = y == 0 ? 0 : 255;
      png_write_row(png, row.data());
    }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
}

}  // namespace

// Interlaced layers are decoded pass by pass into rows kept on disk, not held whole: four of
// 3072 x 3072 pixels (36 MB each, decoded) merge in a fraction of that.
TEST(HostileInput, InterlacedLayersAreNotHeldWhole) {
  for (int i = 0; i < 4; ++i) writeInterlaced("layer" + std::to_string(i) + ".png", 3072);
  installProgram(SG_POST_PROCESSOR, "post");
  Outcome o = runProgram({"./post", "merge", "4", "layer0.png", "layer1.png", "layer2.png", "layer3.png", "output",
                          "merged.png"});
  ASSERT_EQ(o.status, 0) << o.errors;
  EXPECT_PEAK_BELOW(o, 64 * 1024) << "the four decoded whole would take 144 MB";
  auto merged = readImage("merged.png");
  ASSERT_EQ(merged.width(), 3072);
  EXPECT_EQ(merged.at(0, 0), (sgimage::Rgba{255, 0, 0, 255}));
  EXPECT_EQ(merged.at(5, 5), (sgimage::Rgba{255, 255, 255, 255}));
  for (auto& e : fs::directory_iterator("."))
    EXPECT_EQ(e.path().filename().string().find(".rows"), std::string::npos) << e.path();
}

// Memory is bounded by design, not by the thread count: a chunk that is a list of a million
// empty compounds, and a chunk of 4,096 levels from a few bytes, in every entry of a region.
TEST(HostileInput, MemoryDoesNotGrowWithTheThreadCount) {
  std::string bomb("\x0a\x00\x00\x09\x00\x01x\x0a\x00\x0f\x42\x40", 12);
  bomb += std::string(1000000, '\0') + std::string(1, '\0');
  sharedSectorRegion("bomb", bomb, [](int i) { return i < 128; });
  NbtWriter w;
  w.intTag("DataVersion", 3953);
  w.stringTag("Status", "minecraft:full");
  w.beginCompoundList("sections", 2);
  for (int y : {-128, 127}) {
    w.byteTag("Y", static_cast<int8_t>(y));
    w.beginCompound("block_states");
    w.beginCompoundList("palette", 1);
    w.stringTag("Name", "minecraft:stone");
    w.endCompound();
    w.endCompound();
    w.endCompound();
  }
  auto tall = w.finish();
  // More of them than a batch of decoded chunks holds, so that the budget is what bounds it.
  sharedSectorRegion("tall", std::string(tall.begin(), tall.end()), [](int i) { return i < 96; });
  installProgram(SG_RENDERER, "renderer");
  for (const char* threads : {"1", "16", "64"}) {
    Outcome b = runProgram({"./renderer", "custom", "bomb", "threads", threads, "outfile", "b.png"});
    EXPECT_EQ(b.status, 1) << b.errors;
    EXPECT_NE(b.errors.find("its tags would take more memory than any chunk's"), std::string::npos) << b.errors;
    EXPECT_PEAK_BELOW(b, 96 * 1024) << "threads " << threads;
    Outcome t = runProgram({"./renderer", "custom", "tall", "threads", threads, "outfile", "t.png"});
    EXPECT_EQ(t.status, 0) << t.errors;
    EXPECT_PEAK_BELOW(t, 200 * 1024) << "threads " << threads;
  }
}

// A checkerboard of chunks, each of stone and dirt changing at every level: no chunk's edge
// finds a neighbour, and every edge column is hundreds of runs. The projected styles draw such
// edges on the map's edge as they come, holding little of them.
TEST(HostileInput, EdgesWithoutNeighboursAreNotHeldToTheEnd) {
  ChunkColumn c(0, 0, -64, 384);
  const uint16_t stone = c.name("stone"), dirt = c.name("dirt");
  for (int y = -64; y < 320; ++y)
    for (int x = 0; x < 16; ++x)
      for (int z = 0; z < 16; ++z) c.set(x, y, z, (y & 1) ? stone : dirt);
  c.set(3, 319, 3, 0);
  for (int y = -60; y < 320; ++y) c.set(5, y, 5, 0);  // a pit to the bottom
  auto tags = encodeChunk(c, Layout::BlockStates);
#ifdef SG_SANITIZED
  constexpr int kSide = 8;  // slow under the sanitizers, and the peak is not measured there
#else
  constexpr int kSide = 32;
#endif
  sharedSectorRegion("checker", std::string(tags.begin(), tags.end()),
                     [](int i) { return i % 32 < kSide && i / 32 < kSide && (i % 32 + i / 32) % 2 == 0; });
  installProgram(SG_RENDERER, "renderer");
  for (const char* mode : {"automirror", "fool_cake"}) {
    Outcome o = runProgram({"./renderer", "custom", "checker", "isometric", "north", mode, "outfile", "c.png"});
    ASSERT_EQ(o.status, 0) << o.errors;
    EXPECT_PEAK_BELOW(o, 256 * 1024) << mode;
  }
}

// Numbers at the ends of their range in a chunk's position and its sections' levels reach no
// arithmetic that overflows (the sanitizer build checks): the chunk is damage, the rest is drawn.
TEST(HostileInput, NumbersAtTheEndsOfTheirRange) {
  NbtWriter w;
  w.intTag("DataVersion", 3953);
  w.intTag("xPos", INT32_MAX);
  w.intTag("zPos", INT32_MIN);
  w.stringTag("Status", "minecraft:full");
  w.beginCompoundList("sections", 2);
  for (int32_t y : {INT32_MAX, INT32_MIN}) {
    w.intTag("Y", y);
    w.beginCompound("block_states");
    w.beginCompoundList("palette", 1);
    w.stringTag("Name", "minecraft:stone");
    w.endCompound();
    w.endCompound();
    w.beginCompound("biomes");
    w.stringList("palette", {"minecraft:plains"});
    w.endCompound();
    w.endCompound();
  }
  withGoodNeighbour("n", w.finish());
  for (const char* style : {"normal", "isometric"}) {
    Render render(std::string("custom n ") + style + " outfile n.png");
    ASSERT_EQ(render.status, 0) << render.errors.str();
    EXPECT_NE(render.errors.str().find("its sections span levels no world has"), std::string::npos) << render.errors.str();
  }
  // Alpha chunk files named with the largest numbers their names can hold.
  fs::create_directories("a/zz/zz");
  spit("a/zz/zz/c.zzzzzzzz.-zzzzzzz.dat", "not a chunk");
  Render alpha("custom a alpha outfile a.png");
  EXPECT_EQ(alpha.status, 1);
}

// Regions a world cannot hold: far apart they would make the map's width overflow; one of them
// beside a real region is skipped with a reason, and the real one drawn.
TEST(HostileInput, RegionsBeyondTheWorldBorder) {
  region("far", 2097152, 0);
  region("far", -2097153, 0);
  Render r("custom far outfile far.png");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.errors.str().find("beyond the border of any world"), std::string::npos) << r.errors.str();
  EXPECT_FALSE(exists("far.png"));

  region("mixed", 0, 0);
  region("mixed", 99999999, -99999999);
  Render m("custom mixed outfile mixed.png");
  ASSERT_EQ(m.status, 0) << m.errors.str();
  EXPECT_NE(m.errors.str().find("r.99999999.-99999999.mca: its coordinates lie beyond"), std::string::npos)
      << m.errors.str();
  EXPECT_EQ(readImage("mixed.png").width(), 16);
}

// Sizes refused before anything is drawn, in the player's words: a zoom the whole image could not
// hold (with lowramwrite too), a map wider than a PNG image may be, and an empty range.
TEST(HostileInput, MapSizesAndRangesAreCheckedBeforeDrawing) {
  region("w", 0, 0);
  for (const char* lowRam : {"", " lowramwrite"}) {
    Render zoomed(std::string("custom w spacedrectangle 0 1023 0 0 zoomlevel 64 outfile z.png") + lowRam);
    EXPECT_EQ(zoomed.status, 1) << lowRam;
    // Written band by band it is not held whole, but no PNG image is that wide.
    EXPECT_NE(zoomed.errors.str().find("would be 1048576 x 1024 pixels"), std::string::npos)
        << zoomed.errors.str();
    Render wide(std::string("custom w spacedrectangle 0 70000 0 0 outfile wide.png") + lowRam);
    EXPECT_EQ(wide.status, 1);
    EXPECT_NE(wide.errors.str().find("the map would be 1120016 x 16 pixels, more than a PNG image holds"),
              std::string::npos)
        << wide.errors.str();
  }
  EXPECT_FALSE(exists("z.png") || exists("wide.png"));
  Render empty("custom w spacedrectangle 5 6 5 6 outfile e.png");
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.errors.str().find("the chosen range holds no chunks"), std::string::npos) << empty.errors.str();
}

// The image never replaces a file of the world being drawn.
TEST(HostileInput, TheImageNeverReplacesAFileOfTheWorld) {
  region("w", 0, 0);
  const std::string before = slurp("w/region/r.0.0.mca");
  Render r("custom w outfile w/region/r.0.0.mca");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.errors.str().find("would replace a file of the world being drawn"), std::string::npos) << r.errors.str();
  EXPECT_EQ(slurp("w/region/r.0.0.mca"), before);
  // A new image inside the world folder takes nothing from it.
  Render inside("custom w outfile w/map.png");
  EXPECT_EQ(inside.status, 0) << inside.errors.str();
}

// Data of the wrong type is damage, skipped with a reason, not read as one block throughout.
TEST(HostileInput, DataOfTheWrongTypeIsSkippedWithAReason) {
  NbtWriter w;
  w.intTag("DataVersion", 3953);
  w.stringTag("Status", "minecraft:full");
  w.beginCompoundList("sections", 1);
  w.byteTag("Y", 0);
  w.beginCompound("block_states");
  w.beginCompoundList("palette", 2);
  for (const char* n : {"minecraft:stone", "minecraft:dirt"}) {
    w.stringTag("Name", n);
    w.endCompound();
  }
  w.intArray("data", std::vector<int32_t>(256, 0));
  w.endCompound();
  w.endCompound();
  withGoodNeighbour("t", w.finish());
  Render render("custom t outfile t.png");
  ASSERT_EQ(render.status, 0) << render.errors.str();
  EXPECT_NE(render.errors.str().find("not an array of longs"), std::string::npos) << render.errors.str();
}

// A sparse region file of a gigabyte holding one chunk is read a chunk at a time.
TEST(HostileInput, ASparseRegionFileIsNotReadWhole) {
  region("sparse", 0, 0);
  fs::resize_file("sparse/region/r.0.0.mca", 1000000000);
  installProgram(SG_RENDERER, "renderer");
  Outcome o = runProgram({"./renderer", "custom", "sparse", "outfile", "s.png"});
  ASSERT_EQ(o.status, 0) << o.errors;
  EXPECT_PEAK_BELOW(o, 200 * 1024) << "peak resident memory in kB";
}

// A tool killed mid-way leaves its temporary file; the next run clears it. A link planted under
// the name a run's temporary will have is not written through.
TEST(HostileInput, StaleTemporariesGoAndPlantedLinksAreNotFollowed) {
  region("w", 0, 0);
  spit("m.png.part2147483000", "left by a killed renderer");
  spit("victim.txt", "keep me");
  fs::create_symlink("victim.txt", "m.png.part" + std::to_string(::getpid()));
  Render r("custom w outfile m.png");
  ASSERT_EQ(r.status, 0) << r.errors.str();
  EXPECT_FALSE(exists("m.png.part2147483000"));
  EXPECT_EQ(slurp("victim.txt"), "keep me");
  EXPECT_EQ(readImage("m.png").width(), 16);
  for (auto& e : fs::directory_iterator("."))
    EXPECT_EQ(e.path().filename().string().find(".part"), std::string::npos) << e.path();
}

#ifdef SG_RUNNER
// The job runner refuses a folder, and reads no more than a job can be from a device or a
// line that never ends.
TEST(HostileInput, TheJobRunnerReadsWithinBounds) {
  installProgram(SG_RUNNER, "runner");
  fs::create_directories("job.bat");
  Outcome folder = runProgram({"./runner", "job.bat"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.errors.find("is a folder"), std::string::npos) << folder.errors;

  Outcome device = runProgram({"./runner", "/dev/zero"});
  EXPECT_EQ(device.status, 1);
  EXPECT_NE(device.errors.find("larger than any job"), std::string::npos) << device.errors;
  EXPECT_PEAK_BELOW(device, 400 * 1024);

  std::string line;
  for (int i = 0; i < 200000; ++i) line += "a&";
  spit("long.bat", "echo before >> out.txt\r\n" + line + "\r\necho after >> out.txt\r\n");
  Outcome longLine = runProgram({"./runner", "long.bat"});
  EXPECT_NE(longLine.errors.find("longer than any line of a job"), std::string::npos) << longLine.errors;
  EXPECT_EQ(slurp("out.txt"), "before \r\nafter \r\n");
  EXPECT_PEAK_BELOW(longLine, 200 * 1024);
}
#endif

// The world writer takes only whole numbers of regions and chunks.
TEST(HostileInput, TheWorldWriterTakesOnlyWholeNumbers) {
  installProgram(SG_DEMO_WORLD, "writer");
  for (const char* bad : {"0", "-1", "1e3", "x", "99999999999"}) {
    Outcome o = runProgram({"./writer", "d", "--regions", bad});
    EXPECT_EQ(o.status, 1) << bad;
    EXPECT_NE(o.errors.find("--regions takes a whole number"), std::string::npos) << o.errors;
  }
  EXPECT_FALSE(exists("d"));
  Outcome chunks = runProgram({"./writer", "d", "--chunks", "2", "two"});
  EXPECT_EQ(chunks.status, 1);
  EXPECT_EQ(runProgram({"./writer", "d", "--chunks", "2", "2"}).status, 0);
}

namespace {

// A chunk of 256 sections from level -2048 up, each filled with stone: in the numeric era (bytes
// of ids) or in the newest (a palette of one block), with a section that names a level far
// beyond any world.
std::vector<uint8_t> tallestChunk(bool numeric) {
  NbtWriter w;
  w.intTag("DataVersion", numeric ? 1343 : 3953);
  if (numeric) w.beginCompound("Level");
  w.intTag("xPos", 0);
  w.intTag("zPos", 0);
  if (!numeric) w.stringTag("Status", "minecraft:full");
  w.beginCompoundList(numeric ? "Sections" : "sections", 257);
  for (int y = -128; y < 128; ++y) {
    w.byteTag("Y", static_cast<int8_t>(y));
    if (numeric) {
      w.byteArray("Blocks", std::vector<uint8_t>(4096, 1));
      w.byteArray("Data", std::vector<uint8_t>(2048, 0));
    } else {
      w.beginCompound("block_states");
      w.beginCompoundList("palette", 1);
      w.stringTag("Name", "minecraft:stone");
      w.endCompound();
      w.endCompound();
    }
    w.endCompound();
  }
  w.intTag("Y", INT_MIN + 1);  // no blocks: it only says where the world's room begins
  w.endCompound();
  if (numeric) w.endCompound();
  return w.finish();
}

}  // namespace

// The tallest chunk a section's level number allows is drawn in every style, and a level number
// far beyond any world overflows nothing.
TEST(HostileInput, AChunkOfEverySectionALevelNumberAllows) {
  for (bool numeric : {true, false}) {
    SCOPED_TRACE(numeric ? "numeric ids" : "block states");
    fs::remove_all("w");
    withGoodNeighbour("w", tallestChunk(numeric));
    for (const char* style : {"isometric", "obliqueangled west", "oblique", "normal", "isometric cave"}) {
      Render r(std::string("custom w nocache outfile t.png ") + style);
      EXPECT_EQ(r.status, 0) << style << ": " << r.errors.str();
      EXPECT_GT(readImage("t.png").height(), 0) << style;
    }
  }
}

#ifndef SG_SANITIZED
// With the address space limited, a render asked for 256 threads runs on those the system can
// start, and says so. (The sanitizers take more address space than such a limit leaves.)
TEST(HostileInput, ThreadsTheSystemCannotStartEndNoRender) {
  region("w", 0, 0);
  region("w", 1, 0);
  installProgram(SG_RENDERER, "renderer");
  // Each thread's stack takes 8 MB of the address space: 256 of them take all of 2 GB, and the
  // render keeps room for its own memory once it gives half of those started back.
  const Outcome o = runProgram({"./renderer", "custom", "w", "nocache", "threads", "256", "isometric", "outfile", "t.png"},
                               uint64_t(2) << 30);
  EXPECT_EQ(o.status, 0) << o.errors;
  EXPECT_NE(o.errors.find("of the 256 threads asked for could be started"), std::string::npos) << o.errors;
  EXPECT_GT(readImage("t.png").width(), 0);
}
#endif

// Rows kept aside while a file is made have no name in the folder, so nothing of them outlives
// the process, even one killed with no chance to clear up.
TEST(HostileInput, RowsKeptAsideHaveNoName) {
  std::string name;
  std::FILE* f = sgsys::createUnnamedTemporary("out.png", ".rows", name);
  ASSERT_NE(f, nullptr);
  for (auto& e : fs::directory_iterator(".")) EXPECT_EQ(e.path().filename().string().find(".rows"), std::string::npos);
  const char rows[] = "rows of pixels";
  ASSERT_EQ(std::fwrite(rows, 1, sizeof rows, f), sizeof rows);
  ASSERT_EQ(std::fflush(f), 0);
  char back[sizeof rows] = {};
  EXPECT_TRUE(sgsys::readAt(f, back, sizeof back, 0));
  EXPECT_STREQ(back, rows);
  std::fclose(f);
}

// A filter that shows only what it lists, listing nothing, draws nothing: the render says so, as
// a job's failure, and writes no clear image.
TEST(HostileInput, AFilterThatShowsNothingSaysSoAndWritesNoImage) {
  region("w", 0, 0);
  for (const char* filter : {"onlyblocks 0", "onlylayers 0"}) {
    Render r(std::string("custom w ") + filter + " progress renderJob4progress.log outfile e.png");
    EXPECT_EQ(r.status, 1) << filter;
    EXPECT_NE(r.errors.str().find("nothing would be drawn"), std::string::npos) << r.errors.str();
    EXPECT_FALSE(exists("e.png")) << filter;
  }
  const std::string failures = slurp("renderJob4output.log");
  EXPECT_NE(failures.find("Failed: render of map: nothing would be drawn: the block filter"), std::string::npos)
      << failures;
  EXPECT_NE(failures.find("the layer filter"), std::string::npos) << failures;
  Render shown("custom w onlyblocks 1 1 outfile s.png");
  EXPECT_EQ(shown.status, 0) << shown.errors.str();
}
