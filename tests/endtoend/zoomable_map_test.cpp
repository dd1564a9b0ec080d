// The zoomable map: its tiles put back together are the image, pixel for pixel, in every style
// and after every turn, mirror and merge; its page, opened from disk in a real browser, loads
// every tile of its view without an error, shows the image scaled down at first, and names the
// block under the pointer truly, in every orientation; made again after one region changed, it
// rewrites only the tiles whose pixels changed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "driver_here.h"
#include "map_browser.h"
#include "tool_test_support.h"
#include "worldgen/chunk_encoders.h"
#include "worldgen/world_files.h"

using namespace sgtest;
namespace fs = std::filesystem;
using sgimage::Rgba;
using sgimage::RgbaImage;

namespace zoomable {

const Rgba kLime{112, 185, 26, 255}, kRed{161, 39, 35, 255}, kBlue{53, 57, 157, 255};

// Chunks -2..2 each way, a stone floor, and three wools on it: lime at X 37, Z -21, red at
// X -30, Z 25 and blue at the spawn, 0, 0.
void writeMarkerWorld(const fs::path& world) {
  using namespace sgworld;
  WorldFiles files(world, Layout::BlockStates, Compression::Zlib, false);
  for (int cx = -2; cx <= 2; ++cx)
    for (int cz = -2; cz <= 2; ++cz) {
      ChunkColumn c(cx, cz, -64, 384);
      const uint16_t stone = c.name("stone");
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z) c.set(x, 0, z, stone);
      auto mark = [&](int x, int z, const char* wool) {
        if (x >> 4 == cx && z >> 4 == cz) c.set(x & 15, 1, z & 15, c.name(wool));
      };
      mark(37, -21, "lime_wool");
      mark(-30, 25, "red_wool");
      mark(0, 0, "blue_wool");
      files.add(cx, cz, encodeChunk(c, Layout::BlockStates));
    }
  ASSERT_TRUE(files.finish());
  ASSERT_TRUE(writeLevelFile(world, "Marker", Layout::BlockStates));
}

int run(const std::string& command) { return std::system((command + " >>tools.log 2>&1").c_str()); }

// The renderer on a world of the test's folder.
void render(const std::string& world, const std::string& words, const std::string& out) {
  ASSERT_EQ(run(std::string(SG_RENDERER) + " custom \"" + world + "\" " + words + " outfile " + out), 0)
      << words << "\n" << slurp("tools.log");
}

bool sameColour(Rgba p, Rgba want) {
  return p.a == 255 && std::abs(p.r - want.r) < 12 && std::abs(p.g - want.g) < 12 && std::abs(p.b - want.b) < 12;
}

// The centre of the pixels of that colour, as image coordinates (a pixel's centre is x + 0.5).
std::optional<std::pair<double, double>> centreOf(const RgbaImage& im, Rgba colour) {
  double sx = 0, sy = 0;
  long n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (sameColour(im.at(x, y), colour)) sx += x + 0.5, sy += y + 0.5, ++n;
  if (n == 0) return std::nullopt;
  return std::pair(sx / n, sy / n);
}

int deepestFor(int width, int height) {
  int z = 0;
  while ((256LL << z) < std::max(width, height)) ++z;
  return z;
}

RgbaImage tileAt(const fs::path& map, int z, int x, int y) {
  const fs::path file = map / "tiles" / std::to_string(z) / std::to_string(x) / (std::to_string(y) + ".png");
  if (!fs::exists(file)) return RgbaImage(256, 256);  // a clear tile is not written
  return readImage(file.string());
}

// A level of the map put back together from its tiles.
RgbaImage level(const fs::path& map, int z, int width, int height) {
  RgbaImage out(width, height);
  for (int ty = 0; ty * 256 < height; ++ty)
    for (int tx = 0; tx * 256 < width; ++tx) {
      const RgbaImage t = tileAt(map, z, tx, ty);
      EXPECT_EQ(t.width(), 256);
      for (int y = 0; y < 256 && ty * 256 + y < height; ++y)
        for (int x = 0; x < 256 && tx * 256 + x < width; ++x) out.set(tx * 256 + x, ty * 256 + y, t.at(x, y));
    }
  return out;
}

// The deepest level is the image; each level above is the one below, 2 x 2 pixels averaged with
// their alpha as weights (within one step of rounding).
void expectTilesAreTheImage(const std::string& image, const std::string& what) {
  const RgbaImage im = readImage(image);
  ASSERT_GT(im.width(), 0) << what;
  const fs::path map = image.substr(0, image.size() - 4) + "_map";
  ASSERT_TRUE(fs::exists(map / "index.html")) << what;
  const int deepest = deepestFor(im.width(), im.height());
  EXPECT_FALSE(fs::exists(map / "tiles" / std::to_string(deepest + 1))) << what;
  RgbaImage below = level(map, deepest, im.width(), im.height());
  long wrong = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) wrong += below.at(x, y) != im.at(x, y);
  EXPECT_EQ(wrong, 0) << what << ": the deepest level differs from the image";
  int w = im.width(), h = im.height();
  for (int z = deepest - 1; z >= 0; --z) {
    const int aw = (w + 1) / 2, ah = (h + 1) / 2;
    const RgbaImage above = level(map, z, aw, ah);
    long off = 0;
    for (int y = 0; y < ah; ++y)
      for (int x = 0; x < aw; ++x) {
        double a = 0, c[3] = {0, 0, 0};
        for (int dy = 0; dy < 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) {
            if (2 * x + dx >= w || 2 * y + dy >= h) continue;
            const Rgba p = below.at(2 * x + dx, 2 * y + dy);
            a += p.a;
            c[0] += p.r * p.a, c[1] += p.g * p.a, c[2] += p.b * p.a;
          }
        const Rgba got = above.at(x, y);
        bool ok = std::abs(got.a - a / 4) <= 1;
        for (int k = 0; k < 3 && a > 0; ++k) ok = ok && std::abs((&got.r)[k] - c[k] / a) <= 1;
        off += !ok;
      }
    EXPECT_EQ(off, 0) << what << ": level " << z << " is not the average of level " << z + 1;
    below = above;
    w = aw, h = ah;
  }
}

// The page names the block under the pointer at the marker wools, and marks the spawn where
// the blue wool is.
void expectBlocksNamed(const std::string& image, const std::string& what) {
  const RgbaImage im = readImage(image);
  const fs::path map = image.substr(0, image.size() - 4) + "_map";
  const auto lime = centreOf(im, kLime), red = centreOf(im, kRed), blue = centreOf(im, kBlue);
  ASSERT_TRUE(lime && red && blue) << what << ": the wools are not in the picture";
  for (const auto& [at, want] : {std::pair(*lime, std::string("X 37  Z -21")), std::pair(*red, std::string("X -30  Z 25"))}) {
    const PageProbe page = probeMapPage(map, at);
    ASSERT_TRUE(page.ran) << what << ": the browser gave no report";
    EXPECT_EQ(page.coords, want) << what << " at " << at.first << ", " << at.second << "\n" << page.report;
    EXPECT_TRUE(page.errors.empty()) << what << "\n" << page.report;
    EXPECT_GT(page.first.shown, 0) << what;
    EXPECT_EQ(page.first.loaded, page.first.shown) << what << "\n" << page.report;
    EXPECT_EQ(page.deep.loaded, page.deep.shown) << what << "\n" << page.report;
    EXPECT_EQ(page.deepZoom, deepestFor(im.width(), im.height()) + 1) << what;
    // The address keeps the zoom and the place: #zoom/x/y, the image pixel at the centre (a
    // small map is held in the middle of the window, whatever the pointer).
    int hz = -1, hx = -1, hy = -1;
    ASSERT_EQ(std::sscanf(page.hash.c_str(), "#%d/%d/%d", &hz, &hx, &hy), 3) << what << ": " << page.hash;
    EXPECT_EQ(hz, page.deepZoom) << what;
    EXPECT_TRUE(hx >= 0 && hx <= im.width() && hy >= 0 && hy <= im.height()) << what << ": " << page.hash;
    ASSERT_TRUE(page.spawn) << what << "\n" << page.report;
    EXPECT_NEAR(page.spawn->first, blue->first, 1.0) << what;
    EXPECT_NEAR(page.spawn->second, blue->second, 1.0) << what;
  }
}

class ZoomableMap : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(browserProgram().empty()) << "Chromium is missing: scripts/install-deps.sh installs it";
  }
};

}  // namespace zoomable
using namespace zoomable;

TEST_F(ZoomableMap, TheDeepestLevelIsTheImageAndEachLevelAveragesTheOneBelow) {
  // 21 x 19 chunks: sides that are not multiples of 256 in every style.
  ASSERT_EQ(run(std::string(SG_DEMO_WORLD) + " demo --chunks 21 19"), 0) << slurp("tools.log");
  const char* styles[] = {"normal", "heightmapcolor", "heightmapgray", "lightmap", "oblique", "obliqueangled", "isometric"};
  for (const char* style : styles) {
    render("demo", std::string(style) + " south zoomablemap", std::string(style) + ".png");
    expectTilesAreTheImage(std::string(style) + ".png", style);
  }
  render("demo", "normal west flip rotate zoomablemap", "turned.png");
  expectTilesAreTheImage("turned.png", "flipped and turned");
  // A job's layers keep only the facts; the post processor merges, turns and mirrors them and
  // makes the map of what it wrote.
  render("demo", "oblique north zoomablemap", "renderJob7layer0.png");
  render("demo", "isometric north zoomablemap", "renderJob7layer1.png");
  EXPECT_FALSE(fs::exists("renderJob7layer0_map"));
  EXPECT_TRUE(fs::exists("renderJob7layer0_map.txt"));
  ASSERT_EQ(run(std::string(SG_POST_PROCESSOR) +
                " merge 2 renderJob7layer0.png renderJob7layer1.png rotate 90 mirror vertically zoomablemap delete"
                " output merged.png"),
            0)
      << slurp("tools.log");
  expectTilesAreTheImage("merged.png", "a merged stack, turned and mirrored");
  EXPECT_FALSE(fs::exists("renderJob7layer0_map.txt"));  // the layers' facts go with them
  EXPECT_FALSE(fs::exists("renderJob7layer1_map.txt"));
  // A layer drawn without a map takes away the facts an earlier job left under its name.
  spit("renderJob8layer0_map.txt", slurp("turned_map/map.js"));
  render("demo", "normal north", "renderJob8layer0.png");
  EXPECT_FALSE(fs::exists("renderJob8layer0_map.txt"));
}

TEST_F(ZoomableMap, ThePageNamesTheBlockUnderThePointerInEveryOrientation) {
  writeMarkerWorld("marker");
  for (const char* side : {"north", "east", "south", "west"}) {
    render("marker", std::string("normal ") + side + " zoomablemap", std::string(side) + ".png");
    expectBlocksNamed(std::string(side) + ".png", side);
  }
  // The page places blocks alike in every style from above; the wools show in the normal one.
  render("marker", "normal east mirror flip rotate zoomablemap", "turned.png");
  expectBlocksNamed("turned.png", "mirrored, flipped and turned");
  render("marker", "normal south cropwhitespace zoomlevel 3 zoomablemap", "zoomed.png");
  expectBlocksNamed("zoomed.png", "cropped and zoomed");
  render("marker", "normal south cropwhitespace zoomlevel 3 zoomablemap", "zoomed.png");
  expectBlocksNamed("zoomed.png", "cropped and zoomed again, with the render cache");
  render("marker", "normal south lowramwrite cropwhitespace zoomlevel 2.5 zoomablemap", "banded.png");
  expectBlocksNamed("banded.png", "written band by band and zoomed");
  // Through a job's layer and the post processor's turns.
  render("marker", "normal west zoomablemap", "renderJob3layer0.png");
  ASSERT_EQ(run(std::string(SG_POST_PROCESSOR) +
                " input renderJob3layer0.png rotate 270 mirror horizontally zoomablemap delete output post.png"),
            0)
      << slurp("tools.log");
  expectBlocksNamed("post.png", "turned by the post processor");
}

TEST_F(ZoomableMap, TheFirstViewIsTheImageScaledDown) {
  ASSERT_EQ(run(std::string(SG_DEMO_WORLD) + " demo --chunks 40 24"), 0) << slurp("tools.log");
  render("demo", "heightmapcolor north zoomablemap", "map.png");
  const RgbaImage im = readImage("map.png");
  const int deepest = deepestFor(im.width(), im.height());  // 640 x 384: 2
  ASSERT_EQ(deepest, 2);
  // Level 0 fills a window of 256 x 256 centred on its middle.
  const int half = 128 << deepest;
  ASSERT_TRUE(screenshotMapPage("map_map", "#0/" + std::to_string(half) + "/" + std::to_string(half), 256, 256,
                                "shot.png"));
  const RgbaImage shot = readImage("shot.png");
  ASSERT_EQ(shot.width(), 256);
  const int f = 1 << deepest;
  const Rgba page{0x1b, 0x1b, 0x1f, 255};
  long off = 0;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      double a = 0, c[3] = {0, 0, 0};
      for (int dy = 0; dy < f; ++dy)
        for (int dx = 0; dx < f; ++dx) {
          const int ix = x * f + dx, iy = y * f + dy;
          if (ix >= im.width() || iy >= im.height()) continue;
          const Rgba p = im.at(ix, iy);
          a += p.a / 255.0;
          c[0] += p.r * p.a / 255.0, c[1] += p.g * p.a / 255.0, c[2] += p.b * p.a / 255.0;
        }
      a /= f * f;
      const Rgba got = shot.at(x, y);
      for (int k = 0; k < 3; ++k) {
        const double want = c[k] / (f * f) + (&page.r)[k] * (1 - a);
        off += std::abs((&got.r)[k] - want) > 6;
      }
    }
  EXPECT_LT(off, 256 * 256 * 3 / 200) << "the first view is not the image scaled down";
}

TEST_F(ZoomableMap, ASecondRenderOfAChangedWorldRewritesOnlyTheTilesThatChanged) {
  // 2 x 2 regions (chunks -24..23 each way), then one of them replaced by another world's.
  ASSERT_EQ(run(std::string(SG_DEMO_WORLD) + " world --chunks 48 48 --seed 1"), 0) << slurp("tools.log");
  ASSERT_EQ(run(std::string(SG_DEMO_WORLD) + " other --chunks 48 48 --seed 2"), 0) << slurp("tools.log");
  render("world", "normal north zoomablemap", "map.png");
  const RgbaImage before = readImage("map.png");
  ASSERT_EQ(before.width(), 768);
  std::map<fs::path, std::pair<fs::file_time_type, std::string>> first;
  for (const auto& e : fs::recursive_directory_iterator("map_map/tiles"))
    if (e.is_regular_file()) first[e.path()] = {e.last_write_time(), slurp(e.path().string())};
  ASSERT_EQ(first.size(), 9u + 4 + 1);

  fs::copy_file("other/region/r.0.0.mca", "world/region/r.0.0.mca", fs::copy_options::overwrite_existing);
  render("world", "normal north zoomablemap", "map.png");
  const RgbaImage after = readImage("map.png");
  ASSERT_EQ(after.width(), before.width());

  // The deepest tiles whose pixels changed, and every tile above one of them.
  std::set<std::string> expected;
  for (int ty = 0; ty < 3; ++ty)
    for (int tx = 0; tx < 3; ++tx) {
      bool differs = false;
      for (int y = ty * 256; y < ty * 256 + 256 && !differs; ++y)
        for (int x = tx * 256; x < tx * 256 + 256 && !differs; ++x) differs = before.at(x, y) != after.at(x, y);
      if (!differs) continue;
      for (int z = 2, x = tx, y = ty; z >= 0; --z, x /= 2, y /= 2)
        expected.insert(std::to_string(z) + "/" + std::to_string(x) + "/" + std::to_string(y));
    }
  // The region's pixels, 384..767 each way, lie in the deepest level's tiles 1 and 2.
  EXPECT_EQ(expected.count("2/0/0"), 0u);
  EXPECT_EQ(expected.count("2/2/2"), 1u);
  std::set<std::string> rewritten;
  for (const auto& [path, was] : first) {
    ASSERT_TRUE(fs::exists(path)) << path;
    const std::string tile = path.lexically_relative("map_map/tiles").replace_extension().generic_string();
    if (fs::last_write_time(path) != was.first || slurp(path.string()) != was.second) rewritten.insert(tile);
  }
  EXPECT_EQ(rewritten, expected);
  EXPECT_LT(rewritten.size(), first.size());
}

TEST_F(ZoomableMap, TwoRowsTickedInTheWindowMakeTwoMapsThatOpen) {
  installProgram(SG_RENDERER, "strandvale_g_renderer.exe");
  installProgram(SG_POST_PROCESSOR, "strandvale_g_post_processor.exe");
  installProgram(SG_RUNNER, "strandvale-g-runner");
  writeMarkerWorld(fs::path("appdata") / ".minecraft" / "saves" / "Marker");
  DriverHere driver;
  auto ask = [&](const std::vector<std::string>& commands, const std::string& reference) {
    return driver.ask(commands, reference);
  };
  ASSERT_EQ(ask({"launcher real", "start"}, "Form1.Visible"), "1");
  // Two rows, north and isometric east, each with "Zoomable map", each its own image.
  ASSERT_EQ(ask({"click Form1.Command6", "click Form1.toggleI", "click Form1.checksurpressstacking",
                 "type Form1.txtmapname Z", "click Form1.checkzoomablemap", "click Form1.Command13",
                 "pick Form1.stacklist 1", "pick Form1.combostyle 6", "pick Form1.comboorientation 1"},
                "Form1.stacklist.ListCount"),
            "2");
  EXPECT_EQ(ask({"pick Form1.stacklist 0"}, "Form1.checkzoomablemap.Value"), "1");
  const std::string number = ask({"answer Yes", "click Form1.Command5"}, "Form1.renderjob.Text");
  const std::string log = "renderJob" + number + ".log";
  const auto deadline = DriverSession::Clock::now() + std::chrono::seconds(120);
  while (exists(log) && DriverSession::Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_FALSE(exists(log)) << slurp("renderJob" + number + ".bat");
  // The log window's next tick sees the end and hands back to the main window.
  EXPECT_EQ(ask({"tick Form4.Timer1"}, "Form1.Visible"), "1");
  const std::string batch = slurp("renderJob" + number + ".bat");
  EXPECT_NE(batch.find("zoomablemap delete"), std::string::npos) << batch;

  expectTilesAreTheImage("Z_normal_north.png", "the north row");
  expectBlocksNamed("Z_normal_north.png", "the north row");
  expectTilesAreTheImage("Z_isometric_east.png", "the isometric row");
  const PageProbe iso = probeMapPage("Z_isometric_east_map");
  ASSERT_TRUE(iso.ran);
  EXPECT_TRUE(iso.errors.empty()) << iso.report;
  EXPECT_EQ(iso.first.loaded, iso.first.shown);
  EXPECT_GT(iso.first.shown, 0);
  EXPECT_EQ(iso.coords, "");  // a projected style names no block
  EXPECT_NE(slurp("Z_isometric_east_map/index.html").find("<title>Marker - Isometric - East</title>"),
            std::string::npos);
  // Nothing of the job's layers is left beside the maps.
  for (const auto& e : fs::directory_iterator("."))
    EXPECT_EQ(e.path().filename().string().find("layer"), std::string::npos) << e.path();

  EXPECT_TRUE(driver.close()) << slurp("driver.err");
}
