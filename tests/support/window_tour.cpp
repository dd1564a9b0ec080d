#include "support/window_tour.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "imaging/png_file.h"

namespace sg::test {

std::filesystem::path screenshotFolder() {
  const char* dir = std::getenv("SG_SCREENSHOT_DIR");
  if (!dir || !*dir) return {};
  std::filesystem::path out = std::filesystem::absolute(dir);
  std::filesystem::create_directories(out);
  return out;
}

namespace {

// A picture of a map's colours: sea, sand, grass and hills in bands that wander, on a clear
// edge, so that a preview shows its shape and its transparency.
void writeSamplePicture(const std::string& name) {
  const int w = 640, h = 400;
  sgimage::RgbaImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x - w / 2.0, (y - h / 2.0) * 1.6) + 18 * std::sin(x / 23.0) + 12 * std::cos(y / 17.0);
      if (d > 300) continue;
      const sgimage::Rgba c = d > 250 ? sgimage::Rgba{40, 90, 200, 255}
                              : d > 235 ? sgimage::Rgba{220, 205, 140, 255}
                              : d > 90  ? sgimage::Rgba{70, static_cast<uint8_t>(150 + (x * 7 + y * 3) % 40), 60, 255}
                                        : sgimage::Rgba{130, 125, 120, 255};
      image.set(x, y, c);
    }
  std::string error;
  EXPECT_TRUE(sgimage::writePngAtomically(name, image, error)) << error;
}

// The tour's own view of a realization: pictures go into the screenshot folder.
struct Tour {
  const WindowTour& t;
  std::filesystem::path out = screenshotFolder();
  void open(const std::string& form) const { t.open(form); }
  void click(const std::string& form, const std::string& button) const { t.click(form, button); }
  void shot(const std::string& form, const std::string& picture) const {
    std::string error;
    EXPECT_TRUE(t.grab(form, out / (picture + ".png"), error)) << picture << ": " << error;
  }
  TestServices& services;
  forms::Registry& registry;
};

}  // namespace

void tourEveryWindow(const WindowTour& tour) {
  namespace fs = std::filesystem;
  const Tour t{.t = tour, .services = tour.services, .registry = tour.registry};
  for (const char* world : {"Hilltop Castle", "River Valley"}) {
    fs::create_directories(fs::path("appdata/.minecraft/saves") / world);
    std::ofstream(fs::path("appdata/.minecraft/saves") / world / "level.dat") << "x";
  }
  t.services.environment.set("APPDATA", fs::absolute("appdata").string());
  t.open("Form1");
  t.shot("Form1", "main-narrow");
  t.click("Form1", "Command6");
  t.shot("Form1", "main-wide");
  for (const char* panel : {"toggleI", "toggleL", "toggleR"}) {
    t.click("Form1", panel);
    t.shot("Form1", std::string("main-wide-") + panel);
  }
  t.click("Form1", "toggleR");
  t.registry.find("Form1")->control("Label14").fire(forms::Event::DblClick);
  t.shot("Form1", "main-wide-title-double-click");
  t.registry.find("Form1")->control("Label14").fire(forms::Event::DblClick);
  t.click("Form1", "Command6");
  t.click("Form1", "toggleI");
  t.shot("Form1", "main-narrow-toggleI");
  t.click("Form1", "toggleI");

  t.click("Form1", "Command7");
  t.shot("Form2", "layer-filter");
  t.click("Form1", "Command8");
  t.shot("Form3", "block-filter");
  t.open("Form5");
  t.shot("Form5", "settings");
  t.open("Form6");
  t.shot("Form6", "mods");

  t.click("Form1", "Command5");
  forms::Form* log = t.registry.find("Form4");
  ASSERT_NE(log, nullptr) << "Render showed no log window";
  const std::string job = "renderJob" + log->control("renderjob").text();
  std::ofstream(job + ".log", std::ios::app) << "Rendering Hilltop Castle\r\nPost Processing Hilltop Castle\r\n";
  // The render moves for a few seconds, so the bar can tell the time left.
  for (auto [time, percent] : {std::pair("12:00:00", "20"), std::pair("12:00:01", "22"), std::pair("12:00:11", "42")}) {
    t.services.clock.set(time);
    std::ofstream(job + "progress.log") << percent << "\r\n";
    log->control("Timer1").tick();
  }
  t.shot("Form4", "log-window");

  // The job ends, having made its image: the window lists it and shows it, and stays open as
  // asked; then the main window has the last job's line.
  log->control("checkdontclose").setValue(1);
  const std::string image = t.registry.find("Form1")->control("genfile").text();
  if (!image.empty()) writeSamplePicture(image);
  std::filesystem::remove(job + ".log");
  t.services.clock.set("12:00:15");
  log->control("Timer1").tick();
  for (int i = 0; i < 50 && log->control("Timer2").timerEnabled(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    log->control("Timer2").tick();
  }
  t.shot("Form4", "log-window-finished");
  t.click("Form4", "Command2");
  t.shot("Form1", "main-after-job");
}

}  // namespace sg::test
