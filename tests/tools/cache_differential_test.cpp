// The render cache against renders without it: a seeded run of the edits a player (or an editor,
// or a copied world) makes between renders, each followed by a render through the cache and one
// without it, which must be the same picture pixel for pixel. The edits move the map's frame (regions
// removed and added further out, a column of chunks taken away), rewrite chunks in place with
// their place, size and time of saving kept, swap a whole world at one path, and change options.
// SG_CACHE_STEPS sets the number of steps (a few here, hundreds for a long run), SG_CACHE_SEED
// the seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "render_call.h"
#include "tool_test_support.h"
#include "worldgen/demo_world.h"

namespace fs = std::filesystem;
using sgtest::slurp;
using sgtest::spit;

namespace {

// 72 x 8 chunks from (-36, -4): eight regions, the outer ones a few chunks wide.
void writeEditSource(const std::string& folder, uint32_t seed) {
  sgworld::DemoWorld world;
  world.folder = folder;
  world.chunksX = 72;
  world.chunksZ = 8;
  world.seed = seed;
  world.nether = false;
  std::string error;
  ASSERT_TRUE(sgworld::writeDemoWorld(world, error)) << error;
}

std::vector<std::string> regionNames(const std::string& world) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(world + "/region")) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

uint32_t bigEndian(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 | uint32_t(uint8_t(s[at + 2])) << 8 |
         uint8_t(s[at + 3]);
}

// Writes the file's new bytes with its time of modification kept, as an editor that means to go
// unnoticed would.
void rewriteKeepingTime(const fs::path& file, const std::string& bytes) {
  const auto time = fs::last_write_time(file);
  spit(file.string(), bytes);
  fs::last_write_time(file, time);
}

// Puts the donor's stored bytes of one chunk in place of the world's, in the same sectors, with
// the region's tables (places, sizes, times of saving) untouched. False when they do not fit.
bool rewriteChunkInPlace(const fs::path& file, const fs::path& donorFile, int index) {
  std::string region = slurp(file.string());
  const std::string donor = slurp(donorFile.string());
  const uint32_t entry = bigEndian(region, size_t(index) * 4), donorEntry = bigEndian(donor, size_t(index) * 4);
  if (entry == 0 || donorEntry == 0) return false;
  const size_t at = size_t(entry >> 8) * 4096, room = size_t(entry & 255) * 4096;
  const size_t from = size_t(donorEntry >> 8) * 4096, length = bigEndian(donor, from) + 4;
  if (length > room || at + room > region.size() || from + length > donor.size()) return false;
  if (region.compare(at, length, donor, from, length) == 0) return false;  // the same chunk
  region.replace(at, length, donor, from, length);
  rewriteKeepingTime(file, region);
  return true;
}

// Takes the westmost column of chunks out of the region's table.
void dropWestColumn(const fs::path& file) {
  std::string region = slurp(file.string());
  for (int x = 0; x < 32; ++x) {
    bool any = false;
    for (int z = 0; z < 32; ++z) any = any || bigEndian(region, size_t(x + z * 32) * 4) != 0;
    if (!any) continue;
    for (int z = 0; z < 32; ++z) region.replace(size_t(x + z * 32) * 4, 4, std::string(4, '\0'));
    break;
  }
  rewriteKeepingTime(file, region);
}

// Moves the first chunk of the region's westmost column one chunk further west, its sectors
// and time of saving with it.
void moveWestmostChunk(const fs::path& file) {
  std::string region = slurp(file.string());
  for (int x = 1; x < 32; ++x)
    for (int z = 0; z < 32; ++z) {
      const size_t from = size_t(x + z * 32) * 4, to = from - 4;
      if (bigEndian(region, from) == 0) continue;
      for (size_t table : {size_t(0), size_t(4096)}) {
        region.replace(table + to, 4, region, table + from, 4);
        region.replace(table + from, 4, std::string(4, '\0'));
      }
      rewriteKeepingTime(file, region);
      return;
    }
}

}  // namespace

TEST(CacheDifferential, EveryCachedRenderAfterASeededRunOfEditsIsTheFreshRender) {
  const char* steps = std::getenv("SG_CACHE_STEPS");
  const char* seedText = std::getenv("SG_CACHE_SEED");
  const int count = steps ? std::atoi(steps) : 8;
  const unsigned seed = seedText ? static_cast<unsigned>(std::atoi(seedText)) : 20261209u;
  writeEditSource("a", 1);
  writeEditSource("b", 2);
  fs::copy("a", "w", fs::copy_options::recursive);
  const std::vector<std::string> options = {
      "normal", "normal lowramwrite", "normal east", "heightmapcolor west flip", "normal rectangle -40 5 -3 3",
      "normal spacedrectangle -30 40 -4 2", "isometric", "obliqueangled east", "oblique south rectangle -20 30 -4 3",
      "lightmap night"};
  std::mt19937 random(seed);
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  for (int step = 0; step < count; ++step) {
    std::string edit;
    std::vector<std::string> present = regionNames("w");
    const std::string other = pick(2) ? "a" : "b";
    switch (pick(5)) {
      case 0:
        if (present.size() > 2) {
          edit = "removed " + present[pick(present.size())];
          fs::remove("w/region/" + edit.substr(8));
        }
        break;
      case 1: {
        const std::vector<std::string> all = regionNames(other);
        const std::string name = all[pick(all.size())];
        edit = "region " + name + " from " + other;
        fs::copy_file(other + "/region/" + name, "w/region/" + name, fs::copy_options::overwrite_existing);
        break;
      }
      case 2: {
        const std::string name = present[pick(present.size())];
        int changed = 0;
        for (int tries = 0; tries < 64 && changed < 3; ++tries)
          changed += rewriteChunkInPlace("w/region/" + name, other + "/region/" + name, static_cast<int>(pick(1024)));
        edit = std::to_string(changed) + " chunks of " + name + " rewritten in place from " + other;
        break;
      }
      case 3:
        edit = "the world swapped for " + other;
        fs::remove_all("w");
        fs::copy(other, "w", fs::copy_options::recursive);
        break;
      case 4: {
        auto westOf = [](const std::string& name) { return std::atoi(name.c_str() + 2); };
        const std::string west = *std::min_element(present.begin(), present.end(), [&](auto& a, auto& b) {
          return westOf(a) < westOf(b);
        });
        if (pick(2)) {
          edit = "the west column of " + west + " taken out";
          dropWestColumn("w/region/" + west);
        } else {
          edit = "the westmost chunk of " + west + " moved one further west";
          moveWestmostChunk("w/region/" + west);
        }
        break;
      }
    }
    const std::string chosen = options[pick(options.size())];
    SCOPED_TRACE("step " + std::to_string(step) + ": " + edit + "; " + chosen);
    sgtest::Render cached("custom w " + chosen + " outfile cached.png");
    sgtest::Render fresh("custom w " + chosen + " nocache outfile fresh.png");
    ASSERT_EQ(cached.status, fresh.status) << cached.errors.str() << fresh.errors.str();
    // Pixel for pixel: the same map may have been kept as the file another writer made (a map
    // written band by band is the same picture in other bytes).
    if (fresh.status == 0) {
      const sgimage::RgbaImage a = sgtest::readImage("cached.png"), b = sgtest::readImage("fresh.png");
      ASSERT_FALSE(b.empty());
      EXPECT_TRUE(a.width() == b.width() && a.height() == b.height() &&
                  std::equal(a.data(), a.data() + size_t(a.width()) * size_t(a.height()) * 4, b.data()));
    }
    if (std::getenv("SG_CACHE_KEEP") && HasFailure()) {
      fs::copy(".", std::getenv("SG_CACHE_KEEP"), fs::copy_options::recursive);
      std::cerr << "step " << step << ": " << edit << "; " << chosen << "\n";
      return;
    }
  }
}
