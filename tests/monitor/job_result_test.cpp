#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/png_file.h"
#include "monitor/form4.h"
#include "monitor/job_result.h"
#include "monitor/last_job.h"
#include "monitor/monitor_start.h"
#include "monitor/picture_preview.h"
#include "platform/files.h"
#include "support/main_window.h"
#include "support/working_folder.h"
#include "zoom_map/zoomable_map.h"

using sg::test::MainWindow;
using sg::test::writeFile;
using namespace sg;
namespace fs = std::filesystem;

namespace {

// An image of w x h whose left half is opaque `left` and right half clear.
void writeHalves(const std::string& name, int w, int h, sgimage::Rgba left) {
  sgimage::RgbaImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w / 2; ++x) image.set(x, y, left);
  std::string error;
  ASSERT_TRUE(sgimage::writePngAtomically(name, image, error)) << error;
}

void makeOlder(const std::string& name, int seconds) {
  fs::last_write_time(name, fs::last_write_time(name) - std::chrono::seconds(seconds));
}

const char* kTwoFinals =
    "echo Rendering renderJob6layer0.png (my map.png) >> renderJob6.log\r\n"
    "strandvale_g_renderer.exe folder \"W\" normal north outfile renderJob6layer0.png\r\n"
    "strandvale_g_renderer.exe folder \"W\" cave north outfile renderJob6layer1.png\r\n"
    "strandvale_g_post_processor.exe merge 2 renderJob6layer0.png renderJob6layer1.png delete zoomablemap "
    "output \"my map.png\"\r\n"
    "strandvale_g_renderer.exe folder \"W\" isometric east outfile \"sub dir/iso.png\"\r\n";

}  // namespace

TEST(JobResult, TheFinalImagesAreThePlayersPicturesWithTheMapsAskedFor) {
  const auto outputs = monitor::finalImages(std::string(kTwoFinals) +
                                            // The same name written again counts once, at its last place.
                                            "strandvale_g_post_processor.exe input x.png output \"my map.png\"\r\n");
  ASSERT_EQ(outputs.size(), 2u);
  EXPECT_EQ(outputs[0].image, "sub dir/iso.png");
  EXPECT_EQ(outputs[0].map, "");
  EXPECT_EQ(outputs[1].image, "my map.png");
  EXPECT_EQ(outputs[1].map, "");  // the last writer asked for no map
  const auto first = monitor::finalImages(kTwoFinals);
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].image, "my map.png");
  EXPECT_EQ(first[0].map, "my map_map");
  EXPECT_TRUE(monitor::finalImages("echo nothing\r\n").empty());
}

TEST(JobResult, AnImageLeftByAnEarlierJobIsNotTakenForThisJobs) {
  writeFile("renderJob6.bat", kTwoFinals);
  fs::create_directories("sub dir");
  writeHalves("sub dir/iso.png", 4, 4, {200, 0, 0, 255});
  writeHalves("my map.png", 4, 4, {0, 0, 200, 255});
  makeOlder("my map.png", 3600);
  auto outputs = monitor::jobOutputs("6");
  ASSERT_EQ(outputs.size(), 2u);
  EXPECT_FALSE(outputs[0].made);
  EXPECT_TRUE(outputs[1].made);
  EXPECT_EQ(monitor::outputEntry(outputs[0]), "my map.png (not made)");
  EXPECT_EQ(monitor::outputEntry(outputs[1]), "iso.png");
  EXPECT_EQ(monitor::outputToShow(outputs), 1);
  EXPECT_EQ(monitor::madeCaption(outputs), "Made 1 of 2 images");
  EXPECT_EQ(monitor::lastJobLine(outputs, "failed", "12:00:01"), "Last job failed at 12:00:01: iso.png");
  outputs[1].made = false;
  EXPECT_EQ(monitor::madeCaption(outputs), "No image was made");
  EXPECT_EQ(monitor::outputToShow(outputs), -1);
  EXPECT_EQ(monitor::lastJobLine(outputs, "stopped", "09:30:00"), "Last job stopped at 09:30:00, no image");
}

TEST(PicturePreview, ShrinksByAveragingWithAlphaAndKeepsTheAspect) {
  // Two columns, opaque red beside clear: their average is half-clear red, not a darkened one.
  std::vector<uint8_t> row = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255};
  monitor::PictureShrinker shrink(4, 2, 2, 2);
  shrink.addRow(row.data());
  shrink.addRow(row.data());
  const forms::Picture p = shrink.finish();
  ASSERT_EQ(p.width, 2);
  ASSERT_EQ(p.height, 1);  // 4 x 2 fits 2 x 2 as 2 x 1
  EXPECT_EQ(std::vector<uint8_t>(p.rgba.begin(), p.rgba.begin() + 4), (std::vector<uint8_t>{255, 0, 0, 128}));
  EXPECT_EQ(std::vector<uint8_t>(p.rgba.begin() + 4, p.rgba.end()), (std::vector<uint8_t>{0, 0, 255, 255}));
  // Never larger than the image; a long strip stays a strip.
  EXPECT_EQ(monitor::PictureShrinker(3, 3, 100, 100).finish().width, 3);
  const forms::Picture strip = monitor::PictureShrinker(1000, 10, 100, 100).finish();
  EXPECT_EQ(strip.width, 100);
  EXPECT_EQ(strip.height, 1);
}

TEST(PicturePreview, TheMapsTilesGiveThePictureTheImageGives) {
  writeHalves("wide.png", 1200, 500, {30, 160, 90, 255});
  std::string error;
  sgmap::MapFacts facts;
  facts.world = "W";
  ASSERT_TRUE(sgmap::makeZoomableMap("wide.png", facts, error)) << error;
  monitor::JobOutput output{"wide.png", "wide_map", true, true};
  const auto fromMap = monitor::previewOf(output, 240, 240, nullptr, error);
  ASSERT_TRUE(fromMap) << error;
  output.mapMade = false;
  const auto fromImage = monitor::previewOf(output, 240, 240, nullptr, error);
  ASSERT_TRUE(fromImage) << error;
  EXPECT_EQ(fromMap->width, 240);
  EXPECT_EQ(fromMap->height, 100);
  EXPECT_EQ(fromImage->width, 240);
  EXPECT_EQ(fromImage->height, 100);
  // The left half green and opaque, the right half clear, either way.
  for (const auto* p : {&*fromMap, &*fromImage}) {
    const uint8_t* left = &p->rgba[(50 * 240 + 30) * 4];
    const uint8_t* right = &p->rgba[(50 * 240 + 200) * 4];
    EXPECT_EQ(std::vector<int>(left, left + 4), (std::vector<int>{30, 160, 90, 255}));
    EXPECT_EQ(right[3], 0);
  }
  // A file that is not an image gives a reason, not a picture.
  writeFile("bad.png", "not a png");
  EXPECT_FALSE(monitor::previewOf({"bad.png", "", true, false}, 10, 10, nullptr, error));
  EXPECT_FALSE(error.empty());
}

namespace {
struct JobEnd : ::testing::Test {
  MainWindow w;
  monitor::Form4* f4 = nullptr;
  forms::Control& c(const char* n) { return f4->control(n); }
  forms::Control& m(const char* n) { return w.form1->control(n); }
  // Job 6 of kTwoFinals has run: the merged map with its zoomable map was made; the isometric
  // render failed and left nothing.
  void endJob(bool keepOpen) {
    writeFile("renderJob6.bat", kTwoFinals);
    w.form1->hide();
    writeFile("renderJob6.log", "");
    monitor::openProgressMonitor(w.registry, 6, 4);
    f4 = &w.registry.get<monitor::Form4>("Form4");
    c("checkdontclose").setValue(keepOpen ? 1 : 0);
    writeHalves("my map.png", 600, 300, {0, 0, 200, 255});
    std::string error;
    ASSERT_TRUE(sgmap::makeZoomableMap("my map.png", sgmap::MapFacts{}, error)) << error;
    writeFile("renderJob6.log", "Starting at 12:00:00\r\nRendering a\r\nRendering b\r\nMerging\r\n");
    c("Timer1").tick();
    fs::remove("renderJob6.log");
    w.svc.clock.set("12:03:00");
    c("Timer1").tick();
  }
};
}  // namespace

TEST_F(JobEnd, TheLogWindowListsWhatTheJobMadeShowsItAndOpensIt) {
  const int rest = w.form1->height();
  endJob(true);
  EXPECT_TRUE(f4->visible());
  EXPECT_EQ(c("outputlist").items(), (std::vector<std::string>{"my map.png and map", "iso.png (not made)"}));
  EXPECT_EQ(c("lblresult").caption(), "Made 1 of 2 images");
  EXPECT_EQ(c("outputlist").listIndex(), 0);
  // The preview fits the box (at twice its standard-scale size) with the image's aspect.
  const forms::Picture& shown = c("picpreview").picture();
  EXPECT_EQ(shown.width, c("picpreview").width() * 2 / 15);
  EXPECT_EQ(shown.height, shown.width / 2);
  EXPECT_TRUE(c("Command4").enabled());
  EXPECT_TRUE(c("Command6").enabled());
  c("Command4").userClick();
  c("Command5").userClick();
  c("Command6").userClick();
  EXPECT_EQ(w.svc.launcher.opens(), (std::vector<std::string>{"image my map.png", "folder my map.png",
                                                              "map my map_map" + std::string(1, files::separator()) +
                                                                  "index.html"}));
  // The image that was not made: nothing to show or open.
  c("outputlist").setListIndex(1);
  EXPECT_TRUE(c("picpreview").picture().empty());
  EXPECT_FALSE(c("Command4").enabled());
  EXPECT_FALSE(c("Command6").enabled());
  // The main window has its line, and grew to hold it.
  EXPECT_TRUE(m("lbllastjob").visible());
  EXPECT_EQ(m("lbllastjob").caption(), "Last job completed at 12:03:00: my map.png");
  EXPECT_EQ(w.form1->height(), rest + monitor::kLastJobRowHeight);
  EXPECT_FALSE(m("picjob").picture().empty());
}

TEST_F(JobEnd, TheMainWindowKeepsTheResultWhenTheLogWindowCloses) {
  endJob(false);
  EXPECT_FALSE(f4->visible());
  EXPECT_TRUE(w.form1->visible());
  EXPECT_TRUE(m("cmdopenimage").enabled());
  EXPECT_TRUE(m("cmdopenmap").enabled());
  m("cmdopenmap").userClick();
  m("cmdopenfolder").userClick();
  ASSERT_EQ(w.svc.launcher.opens().size(), 2u);
  EXPECT_EQ(w.svc.launcher.opens()[1], "folder my map.png");
  // A second job grows the window no further, and one that made nothing offers nothing to open.
  const int grown = w.form1->height();
  fs::remove("my map.png");
  fs::remove_all("my map_map");
  writeFile("renderJob6.log", "");
  w.form1->hide();
  monitor::openProgressMonitor(w.registry, 6, 4);
  fs::remove("renderJob6.log");
  c("Timer1").tick();
  EXPECT_EQ(w.form1->height(), grown);
  EXPECT_EQ(m("lbllastjob").caption(), "Last job completed at 12:03:00, no image");
  EXPECT_FALSE(m("cmdopenimage").enabled());
  EXPECT_TRUE(m("picjob").picture().empty());
}
