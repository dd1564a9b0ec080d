// Pictures of every window in its states, for a person to look at: written only when
// SG_SCREENSHOT_DIR names a folder (otherwise the test is skipped).
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "qt_windows.h"

namespace sg::test {
namespace {

namespace fs = std::filesystem;

TEST(Screenshots, OfEveryWindowWhenAsked) {
  const char* dir = std::getenv("SG_SCREENSHOT_DIR");
  if (!dir || !*dir) GTEST_SKIP() << "set SG_SCREENSHOT_DIR to write the pictures";
  const fs::path out = fs::absolute(dir);
  fs::create_directories(out);
  fs::create_directories("appdata/.minecraft/saves/Hilltop Castle");
  fs::create_directories("appdata/.minecraft/saves/River Valley");
  std::ofstream("appdata/.minecraft/saves/Hilltop Castle/level.dat") << "x";
  std::ofstream("appdata/.minecraft/saves/River Valley/level.dat") << "x";

  QtWindows w;
  w.svc.environment.set("APPDATA", fs::absolute("appdata").string());
  w.open("Form1");
  auto shot = [&](const std::string& form, const std::string& file) {
    settle();
    ASSERT_TRUE(w.window(form).grab().save(QString::fromStdString((out / (file + ".png")).string())));
  };
  auto click = [&](const std::string& form, const char* button) {
    QTest::mouseClick(&w.widget<QPushButton>(form, button), Qt::LeftButton);
    settle();
  };
  shot("Form1", "main-narrow");
  click("Form1", "Command6");
  shot("Form1", "main-wide");
  for (const char* panel : {"toggleI", "toggleL", "toggleR"}) {
    click("Form1", panel);
    shot("Form1", std::string("main-wide-") + panel);
  }
  click("Form1", "toggleR");
  w.registry.find("Form1")->control("Label14").fire(forms::Event::DblClick);
  shot("Form1", "main-wide-title-double-click");
  w.registry.find("Form1")->control("Label14").fire(forms::Event::DblClick);
  click("Form1", "Command6");
  click("Form1", "toggleI");
  shot("Form1", "main-narrow-toggleI");
  click("Form1", "toggleI");

  click("Form1", "Command7");
  shot("Form2", "layer-filter");
  click("Form1", "Command8");
  shot("Form3", "block-filter");
  w.open("Form5");
  shot("Form5", "settings");
  w.open("Form6");
  shot("Form6", "mods");

  click("Form1", "Command5");
  ASSERT_NE(w.registry.find("Form4"), nullptr);
  const std::string job = "renderJob" + w.registry.find("Form4")->control("renderjob").text();
  std::ofstream(job + ".log", std::ios::app) << "12:00:00 Rendering Hilltop Castle\r\n12:00:05 Merging\r\n";
  std::ofstream(job + "progress.log") << "42\r\n";
  w.registry.find("Form4")->control("Timer1").tick();
  shot("Form4", "log-window");
}

}  // namespace
}  // namespace sg::test
