// The render cache: a second render of an unchanged world takes what the first drew, a changed
// chunk redraws its region (and the regions whose borders blend with it), and whatever comes
// from the cache is byte for byte what a render without it draws. Entries that do not check out
// are drawn afresh, the folder keeps to its cap, and a cache that cannot be written costs only
// the cache.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "render_call.h"
#include "renderer/cache/render_cache.h"
#include "renderer/styles/ground_census.h"
#include "tool_test_support.h"
#include "demo_worlds.h"
#include "worldgen/demo_world.h"

namespace fs = std::filesystem;
using sgtest::Render;
using sgtest::slurp;

// The helpers' names are the file's own: the tests of this folder are compiled in batches.
namespace {

// 8 x 8 chunks around the origin: a corner of each of four regions.
void writeCacheWorld() { sgtest::writeSmallDemoWorld("w", 8, false); }

// Saves a chunk again, as the game would: its time in the region file moves on.
void saveChunkAgain(int chunkX, int chunkZ) {
  const int rx = chunkX >> 5, rz = chunkZ >> 5;
  const std::string file = "w/region/r." + std::to_string(rx) + "." + std::to_string(rz) + ".mca";
  std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
  const std::streamoff at = 4096 + 4 * ((chunkX & 31) + (chunkZ & 31) * 32);
  f.seekg(at);
  unsigned char t[4];
  f.read(reinterpret_cast<char*>(t), 4);
  t[3] = static_cast<unsigned char>(t[3] + 1);
  f.seekp(at);
  f.write(reinterpret_cast<const char*>(t), 4);
}

std::string renderCacheFolder() { return std::getenv("SG_RENDER_CACHE"); }

// The entries in the cache folder, without the count of its size.
std::vector<fs::path> cacheEntries() {
  std::vector<fs::path> entries;
  for (const auto& e : fs::directory_iterator(renderCacheFolder()))
    if (e.path().extension() == ".sgcache") entries.push_back(e.path());
  return entries;
}

// Renders into `out` and says what the cache gave: "image", "N of M", or "" without it.
std::string renderSaying(const std::string& options, const std::string& out) {
  Render r("custom w " + options + " verbosity 1 outfile " + out);
  EXPECT_EQ(r.status, 0) << r.errors.str();
  const std::string said = r.errors.str();
  if (said.find("taken from the cache\n") != std::string::npos && said.find("the map is the one") != std::string::npos)
    return "image";
  const size_t of = said.find(" regions taken from the cache");
  if (of == std::string::npos) return "";
  const size_t start = said.rfind("renderer: ", of) + 10;
  return said.substr(start, of - start);
}

// What the cache gave a projected map: "R of M regions and T of N tiles", or "".
std::string projectedSaying(const std::string& options, const std::string& out) {
  Render r("custom w " + options + " verbosity 1 outfile " + out);
  EXPECT_EQ(r.status, 0) << r.errors.str();
  const std::string said = r.errors.str();
  const size_t end = said.find(" tiles taken from the cache");
  if (end == std::string::npos) return "";
  const size_t start = said.rfind("renderer: ", end) + 10;
  return said.substr(start, end - start);
}

// The tiles a projected map took from the cache, out of all its tiles.
std::pair<int, int> tilesTaken(const std::string& said) {
  const size_t and_ = said.find(" and ");
  int taken = 0, all = 0;
  if (and_ == std::string::npos || std::sscanf(said.c_str() + and_ + 5, "%d of %d", &taken, &all) != 2) return {-1, -1};
  return {taken, all};
}

void expectSameAsUncached(const std::string& options, const std::string& image) {
  Render fresh("custom w " + options + " nocache outfile fresh.png");
  ASSERT_EQ(fresh.status, 0) << fresh.errors.str();
  EXPECT_EQ(slurp(image), slurp("fresh.png")) << options;
}

}  // namespace

TEST(RenderCache, TheSameWorldAgainIsTakenFromTheCacheAndMatchesAFreshRender) {
  writeCacheWorld();
  for (std::string options : {"normal", "normal east lowramwrite", "heightmapcolor south flip", "isometric west"}) {
    SCOPED_TRACE(options);
    const bool fromAbove = options.find("isometric") == std::string::npos;
    EXPECT_EQ(renderSaying(options, "first.png"), fromAbove ? "0 of 4" : "");
    EXPECT_EQ(renderSaying(options, "second.png"), "image");
    expectSameAsUncached(options, "second.png");
    EXPECT_EQ(slurp("first.png"), slurp("second.png"));
  }
}

TEST(RenderCache, AChunkSavedAgainRedrawsItsRegionAndTheRegionsThatBlendWithIt) {
  writeCacheWorld();
  for (std::string options : {"normal", "normal west", "normal south lowramwrite"}) {
    SCOPED_TRACE(options);
    renderSaying(options, "first.png");
    saveChunkAgain(2, 2);  // inside region 0,0
    EXPECT_EQ(renderSaying(options, "changed.png"), "3 of 4");
    expectSameAsUncached(options, "changed.png");
    saveChunkAgain(0, -3);  // on region 0,-1's border with region -1,-1
    EXPECT_EQ(renderSaying(options, "changed.png"), "2 of 4");
    expectSameAsUncached(options, "changed.png");
  }
}

// A projected map is kept in tiles: a chunk saved again redraws only the tiles its turn and the
// turns of the chunks around it reach, and the map comes out as a render without the cache.
TEST(RenderCache, AProjectedMapRedrawsOnlyTheTilesThatAChangedChunkReaches) {
  writeCacheWorld();
  setenv("SG_TILE_SIDE", "64", 1);
  for (std::string options : {"isometric", "isometric west flip", "oblique south", "obliqueangled east",
                              "isometric cave", "isometric fool_cake"}) {
    SCOPED_TRACE(options);
    const std::string first = projectedSaying(options, "first.png");
    EXPECT_EQ(first.substr(0, first.find(" and ")), "0 of 4 regions");
    const int all = tilesTaken(first).second;
    EXPECT_EQ(tilesTaken(first).first, 0);
    ASSERT_GT(all, 4);
    expectSameAsUncached(options, "first.png");
    for (auto [x, z] : {std::pair(2, 2), std::pair(0, -3), std::pair(-4, 3)}) {
      saveChunkAgain(x, z);
      const std::string again = projectedSaying(options, "changed.png");
      EXPECT_EQ(again.substr(0, again.find(" and ")), "3 of 4 regions") << x << "," << z;
      const auto [taken, of] = tilesTaken(again);
      EXPECT_EQ(of, all);
      EXPECT_GT(taken, 0) << again;
      EXPECT_LT(taken, all) << again;
      expectSameAsUncached(options, "changed.png");
    }
  }
  unsetenv("SG_TILE_SIDE");
}

// A region whose ground really changes (another seed's hills) redraws every tile its new and its
// old chunks reach, above them as well as below.
TEST(RenderCache, AProjectedMapFollowsARegionWhoseGroundChanged) {
  setenv("SG_TILE_SIDE", "32", 1);
  sgworld::DemoWorld other;
  other.folder = "other";
  other.chunksX = other.chunksZ = 8;
  other.nether = false;
  other.seed = 7;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(other, error)) << error;
  for (std::string options : {"isometric", "obliqueangled west", "isometric south fool_cake"}) {
    SCOPED_TRACE(options);
    writeCacheWorld();
    projectedSaying(options, "first.png");
    fs::copy_file("other/region/r.0.0.mca", "w/region/r.0.0.mca", fs::copy_options::overwrite_existing);
    for (int x = 0; x < 4; ++x)
      for (int z = 0; z < 4; ++z) saveChunkAgain(x, z);
    const std::string again = projectedSaying(options, "changed.png");
    EXPECT_EQ(again.substr(0, again.find(" and ")), "3 of 4 regions");
    EXPECT_GT(tilesTaken(again).first, 0) << again;
    expectSameAsUncached(options, "changed.png");
  }
  unsetenv("SG_TILE_SIDE");
}

TEST(RenderCache, EntriesThatDoNotCheckOutAreDrawnAfresh) {
  writeCacheWorld();
  renderSaying("normal", "first.png");
  std::vector<fs::path> entries = cacheEntries();
  ASSERT_EQ(entries.size(), 6u);  // four tiles, the image's one strip of rows deflated, and the image
  // One byte changed in each: the checksum finds it.
  for (const auto& e : entries) {
    std::fstream f(e, std::ios::in | std::ios::out | std::ios::binary);
    f.seekg(static_cast<std::streamoff>(fs::file_size(e) / 2));
    char c = 0;
    f.get(c);
    f.seekp(static_cast<std::streamoff>(fs::file_size(e) / 2));
    f.put(static_cast<char>(c ^ 0x10));
  }
  EXPECT_EQ(renderSaying("normal", "again.png"), "0 of 4");
  expectSameAsUncached("normal", "again.png");
  // An entry under another's name, whole and well formed, is foreign to that name.
  std::vector<fs::path> tiles, images;
  for (const auto& e : cacheEntries()) (slurp(e.string()).substr(8, 4) == "tile" ? tiles : images).push_back(e);
  ASSERT_EQ(tiles.size(), 4u);
  fs::copy_file(tiles[0], tiles[1], fs::copy_options::overwrite_existing);
  for (const auto& image : images) fs::remove(image);  // the map must be drawn again, from the tiles
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(renderSaying("normal", "again.png"), "3 of 4");
  expectSameAsUncached("normal", "again.png");
}

TEST(RenderCache, NocacheKeepsNothingAndACacheThatCannotBeWrittenCostsOnlyTheCache) {
  writeCacheWorld();
  EXPECT_EQ(renderSaying("normal nocache", "a.png"), "");
  EXPECT_FALSE(fs::exists(renderCacheFolder()));
  // A file where the folder should be: nothing can be kept, the map is drawn all the same.
  sgtest::spit(renderCacheFolder(), "in the way");
  EXPECT_EQ(renderSaying("normal", "b.png"), "0 of 4");
  EXPECT_EQ(renderSaying("normal", "c.png"), "0 of 4");
  expectSameAsUncached("normal", "c.png");
  EXPECT_NE(std::string(sgrender::rendererHelp()).find("nocache"), std::string::npos);
}

TEST(RenderCache, TheFolderKeepsToItsCapDroppingWhatWasUsedLongestAgo) {
  const fs::path folder = "cache";
  sgrender::RenderCache cache(folder, 5000);
  auto key = [](uint64_t n) { return sgrender::KeyMaker().add(n).key(); };
  sgrender::CacheEntry entry;
  entry.bytes.assign(1500, 7);
  for (uint64_t n = 0; n < 3; ++n) ASSERT_TRUE(cache.store(key(n), "tile", entry, false));
  // Entry 0 is older than 1 and 2, but used since.
  const auto now = fs::file_time_type::clock::now();
  for (uint64_t n = 0; n < 3; ++n)
    fs::last_write_time(folder / (key(n).name() + ".sgcache"), now - std::chrono::hours(10 - n));
  EXPECT_TRUE(cache.load(key(0), "tile", 1500));
  EXPECT_FALSE(cache.load(key(0), "image", 1500));  // another kind of entry is not this one
  ASSERT_TRUE(cache.store(key(3), "tile", entry, false));
  cache.trim();
  EXPECT_TRUE(cache.hold(key(0), "tile", 1500));
  EXPECT_FALSE(cache.hold(key(1), "tile", 1500));
  EXPECT_TRUE(cache.hold(key(2), "tile", 1500));
  EXPECT_TRUE(cache.hold(key(3), "tile", 1500));
  // What comes back is what went in, deflated or not.
  entry.bytes.assign(100000, 0);
  entry.bytes[500] = 9;
  entry.facts = {1, 2, 3};
  ASSERT_TRUE(cache.store(key(9), "tile", entry, true));
  auto back = cache.load(key(9), "tile", 100000);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->bytes, entry.bytes);
  EXPECT_EQ(back->facts, entry.facts);
  // An entry whose header claims more than its bytes can inflate to is refused, before anything
  // is set aside for it.
  {
    std::fstream f(folder / (key(9).name() + ".sgcache"), std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(44);
    const char huge[8] = {'\0', '\0', '\0', '\0', '\x01', '\0', '\0', '\0'};  // 4 GB, little-endian
    f.write(huge, 8);
  }
  EXPECT_FALSE(cache.load(key(9), "tile", 100000));
}

TEST(RenderCache, TwoRendersSideBySideLeaveEveryEntryWhole) {
  writeCacheWorld();
  sgtest::installProgram(SG_RENDERER, "renderer");
  auto run = [](const std::string& out) {
    const std::string command = "./renderer custom w normal outfile " + out + " 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
  };
  for (int round = 0; round < 3; ++round) {
    std::thread a(run, "a.png"), b(run, "b.png");
    a.join();
    b.join();
    EXPECT_EQ(slurp("a.png"), slurp("b.png"));
    saveChunkAgain(round, round);
  }
  sgrender::RenderCache cache(renderCacheFolder());
  size_t entries = 0;
  for (const auto& e : fs::directory_iterator(renderCacheFolder())) {
    if (e.path().filename() == "usage") continue;  // the count of the folder's size
    EXPECT_EQ(e.path().extension(), ".sgcache") << e.path();  // no temporary left behind
    ++entries;
  }
  EXPECT_GT(entries, 4u);
  renderSaying("normal", "c.png");
  expectSameAsUncached("normal", "c.png");
}

// A region's part of the ground census comes back as it went in, and bytes that are cut short
// or run on are not read as one.
TEST(RenderCache, ARegionsGroundReadsBackWholeOrNotAtAll) {
  std::vector<sgrender::GroundEvent> events = {{3, -4, false, {{-60, 1}, {62, 200}}}, {4, -4, true, {}},
                                               {5, -4, false, {}}};
  const std::vector<uint8_t> bytes = sgrender::groundBytes(events);
  std::vector<sgrender::GroundEvent> back;
  ASSERT_TRUE(sgrender::readGroundBytes(bytes, back));
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].grounds, events[0].grounds);
  EXPECT_TRUE(back[1].absent);
  for (size_t cut : {size_t(0), size_t(7), bytes.size() - 1}) {
    std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(sgrender::readGroundBytes(shorter, back)) << cut;
  }
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(sgrender::readGroundBytes(longer, back));
  std::vector<uint8_t> huge = bytes;
  huge[7] = 0x7f;  // a count no file of this size holds
  EXPECT_FALSE(sgrender::readGroundBytes(huge, back));
  // The census of the map from its regions: each chunk's lowest ground before it, and the floor.
  const sgrender::GroundCensus census = sgrender::censusOf({&events});
  EXPECT_EQ(census.lowestBefore.at(sgrender::groundKey(3, -4)), INT_MAX);
  EXPECT_EQ(census.lowestBefore.at(sgrender::groundKey(4, -4)), -60);
  EXPECT_EQ(census.floor, 62);  // the one column at -60 is a pit: fewer than one in a hundred
}

// A chunk moved one further west moves the whole map's frame: what was kept is pasted where it
// now lies, or drawn afresh, never at its old place.
TEST(RenderCache, AMapWhoseFrameMovesIsNeverPastedAtItsOldPlace) {
  setenv("SG_TILE_SIDE", "32", 1);
  for (std::string options : {"obliqueangled east", "isometric west", "normal", "oblique north"}) {
    SCOPED_TRACE(options);
    fs::remove_all("w");
    writeCacheWorld();
    renderSaying(options, "first.png");
    // The westmost chunk of region -1,-1 (28, 30) to (27, 30), its table entries with it.
    const std::string file = "w/region/r.-1.-1.mca";
    std::string region = slurp(file);
    for (size_t table : {size_t(0), size_t(4096)}) {
      const size_t from = table + size_t(28 + 30 * 32) * 4;
      region.replace(from - 4, 4, region, from, 4);
      region.replace(from, 4, std::string(4, '\0'));
    }
    sgtest::spit(file, region);
    Render moved("custom w " + options + " outfile moved.png");
    ASSERT_EQ(moved.status, 0) << moved.errors.str();
    Render fresh("custom w " + options + " nocache outfile fresh.png");
    const sgimage::RgbaImage a = sgtest::readImage("moved.png"), b = sgtest::readImage("fresh.png");
    ASSERT_TRUE(a.width() == b.width() && a.height() == b.height());
    EXPECT_TRUE(std::equal(a.data(), a.data() + size_t(a.width()) * size_t(a.height()) * 4, b.data()));
  }
  unsetenv("SG_TILE_SIDE");
}

// Whatever stands under an entry's name, a render takes no longer and no more memory for it: a
// pipe is not waited on, a file larger than the entry can be is not read, and a tile that
// claims more than its place on the map holds is refused before anything is set aside.
TEST(RenderCache, WhatStandsUnderAnEntrysNameCostsNeitherTimeNorMemory) {
  const fs::path folder = "cache";
  sgrender::RenderCache cache(folder);
  auto key = [](uint64_t n) { return sgrender::KeyMaker().add(n).key(); };
  auto at = [&](uint64_t n) { return folder / (key(n).name() + ".sgcache"); };
  fs::create_directories(folder);
  ASSERT_EQ(::mkfifo(at(1).c_str(), 0600), 0);
  EXPECT_FALSE(cache.load(key(1), "tile", 1 << 20));
  {
    std::ofstream sparse(at(2), std::ios::binary);
  }
  fs::resize_file(at(2), uint64_t(8) << 30);  // sparse: 8 GB that take no room
  EXPECT_FALSE(cache.load(key(2), "image", uint64_t(128) << 20));
  // A whole, well-formed entry whose pixels inflate to 64 MB: too large for a tile of 256 x 256.
  sgrender::CacheEntry huge;
  huge.bytes.assign(size_t(64) << 20, 0);
  ASSERT_TRUE(cache.store(key(3), "ptile", huge, true));
  EXPECT_LT(fs::file_size(at(3)), uint64_t(1) << 20);
  EXPECT_FALSE(cache.load(key(3), "ptile", 256 * 256 * 4));
  EXPECT_TRUE(cache.load(key(3), "ptile", huge.bytes.size()));
}

// One checksum covers the header and the bytes: a length changed in the header is found before
// the entry is taken, so it is never found wanting half-way through a paste.
TEST(RenderCache, AnEntrysHeaderIsCheckedWithItsBytes) {
  const fs::path folder = "cache";
  sgrender::RenderCache cache(folder);
  const sgrender::CacheKey key = sgrender::KeyMaker().add(std::string_view("header")).key();
  sgrender::CacheEntry entry;
  entry.bytes.assign(4000, 3);
  entry.bytes[17] = 4;
  ASSERT_TRUE(cache.store(key, "tile", entry, true));
  const fs::path file = folder / (key.name() + ".sgcache");
  const std::string good = slurp(file.string());
  for (size_t field : {size_t(32), size_t(36), size_t(44), size_t(52)}) {  // facts, stored, whole, deflated
    std::string bad = good;
    bad[field] = static_cast<char>(bad[field] ^ 1);
    sgtest::spit(file.string(), bad);
    EXPECT_FALSE(cache.hold(key, "tile", 4000)) << field;
  }
  sgtest::spit(file.string(), good);
  EXPECT_TRUE(cache.load(key, "tile", 4000));
}

// An entry held open stays readable whatever another render's trim or write does to the folder.
TEST(RenderCache, AHeldEntryOutlivesItsRemovalAndReplacement) {
  const fs::path folder = "cache";
  sgrender::RenderCache cache(folder);
  const sgrender::CacheKey key = sgrender::KeyMaker().add(std::string_view("held")).key();
  sgrender::CacheEntry first, second;
  first.bytes.assign(1000, 1);
  second.bytes.assign(1000, 2);
  ASSERT_TRUE(cache.store(key, "tile", first, true));
  auto held = cache.hold(key, "tile", 1000);
  ASSERT_TRUE(held);
  fs::remove(folder / (key.name() + ".sgcache"));
  auto back = cache.read(*held, key, "tile", 1000);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->bytes, first.bytes);
  auto again = cache.hold(key, "tile", 1000);
  EXPECT_FALSE(again);
  ASSERT_TRUE(cache.store(key, "tile", first, true));
  again = cache.hold(key, "tile", 1000);
  ASSERT_TRUE(cache.store(key, "tile", second, true));  // written again under it
  back = cache.read(*again, key, "tile", 1000);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->bytes, first.bytes);
}

namespace {

size_t cacheFiles(const fs::path& folder) {
  size_t n = 0;
  for (const auto& e : fs::directory_iterator(folder)) n += e.path().extension() == ".sgcache";
  return n;
}

}  // namespace

// What a render keeps is written after its image: entries held back wait in memory, and a
// render that fails keeps nothing of them.
TEST(RenderCache, EntriesAreWrittenAfterTheImage) {
  {
    const fs::path folder = "cache";
    sgrender::RenderCache cache(folder);
    cache.holdBackWrites();
    sgrender::CacheEntry entry;
    entry.bytes.assign(100, 5);
    ASSERT_TRUE(cache.store(sgrender::KeyMaker().add(uint64_t(1)).key(), "tile", entry, true));
    EXPECT_FALSE(fs::exists(folder));
    cache.writeHeldBack();
    EXPECT_TRUE(cache.load(sgrender::KeyMaker().add(uint64_t(1)).key(), "tile", 100));
    // A disk without the room that the next images need gets no more entries: the cache goes
    // without rather than make the next render fail.
    cache.keepRoomFor(uint64_t(1) << 62);
    EXPECT_FALSE(cache.store(sgrender::KeyMaker().add(uint64_t(2)).key(), "tile", entry, true));
    cache.holdBackWrites();
    ASSERT_TRUE(cache.store(sgrender::KeyMaker().add(uint64_t(3)).key(), "tile", entry, true));
    cache.writeHeldBack();
    EXPECT_EQ(cacheFiles(folder), 1u);
  }
  writeCacheWorld();
  for (std::string options : {"normal", "isometric"}) {
    SCOPED_TRACE(options);
    fs::remove_all(renderCacheFolder());
    renderSaying(options, "first.png");
    const auto image = fs::last_write_time("first.png");
    const std::vector<fs::path> entries = cacheEntries();
    ASSERT_GT(entries.size(), 2u);
    for (const auto& e : entries) EXPECT_GE(fs::last_write_time(e), image) << e;
  }
}

// A write looks for no other file in the folder, and the folder's size is counted as entries are
// written: it is read whole only when the count goes over the cap (or now and then), and then
// what stopped renders left half written goes too.
TEST(RenderCache, TheFolderIsReadWholeOnlyWhenItsCountSaysSo) {
  const fs::path folder = "cache";
  fs::create_directories(folder);
  const std::string stale = (folder / "0123456789abcdef0123456789abcdef.sgcache.part2147483000.0").string();
  sgtest::spit(stale, "left by a stopped render");
  sgrender::RenderCache cache(folder, 20000);
  auto key = [](uint64_t n) { return sgrender::KeyMaker().add(n).key(); };
  sgrender::CacheEntry entry;
  entry.bytes.assign(3000, 7);
  ASSERT_TRUE(cache.store(key(0), "tile", entry, false));
  EXPECT_TRUE(fs::exists(stale));  // the write looked for nothing
  cache.trim();                    // no count yet: the folder is read whole
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_NE(slurp((folder / "usage").string()).find("3060 0"), std::string::npos) << slurp((folder / "usage").string());
  sgtest::spit(stale, "left by a stopped render");
  for (uint64_t n = 1; n < 5; ++n) {
    ASSERT_TRUE(cache.store(key(n), "tile", entry, false));
    cache.trim();  // 5 x 3060 bytes: within the cap, counted without reading the folder
  }
  EXPECT_TRUE(fs::exists(stale));
  EXPECT_NE(slurp((folder / "usage").string()).find("15300 4"), std::string::npos) << slurp((folder / "usage").string());
  const auto now = fs::file_time_type::clock::now();
  for (uint64_t n = 0; n < 5; ++n)
    fs::last_write_time(folder / (key(n).name() + ".sgcache"), now - std::chrono::hours(10 - n));
  for (uint64_t n = 5; n < 7; ++n) ASSERT_TRUE(cache.store(key(n), "tile", entry, false));
  cache.trim();  // over the cap: read whole, the one used longest ago goes
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_FALSE(cache.hold(key(0), "tile", 3000));
  for (uint64_t n = 1; n < 7; ++n) EXPECT_TRUE(cache.hold(key(n), "tile", 3000)) << n;
}

// An Alpha chunk file written again with its size and time of writing kept (an editor's doing)
// is drawn afresh: what a chunk holds is told by its bytes, not by its file's times.
TEST(RenderCache, AnAlphaChunkEditedInPlaceIsDrawnAfresh) {
  sgworld::DemoWorld alpha;
  alpha.folder = "w";
  alpha.layout = sgworld::Layout::Alpha;
  alpha.chunksX = alpha.chunksZ = 4;
  alpha.nether = false;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(alpha, error)) << error;
  renderSaying("normal", "first.png");
  fs::path chunk;
  for (const auto& e : fs::recursive_directory_iterator("w"))
    if (e.path().filename().string().rfind("c.", 0) == 0) chunk = e.path();
  ASSERT_FALSE(chunk.empty());
  const auto time = fs::last_write_time(chunk);
  std::string bytes = slurp(chunk.string());
  bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x5a);
  sgtest::spit(chunk.string(), bytes);
  fs::last_write_time(chunk, time);
  Render again("custom w normal outfile again.png");
  Render fresh("custom w normal nocache outfile fresh.png");
  EXPECT_EQ(again.status, fresh.status) << again.errors.str();
  EXPECT_EQ(slurp("again.png"), slurp("fresh.png"));
}
