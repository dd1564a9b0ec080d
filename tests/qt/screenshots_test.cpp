// Pictures of every window in its states, for a person to look at: written only when
// SG_SCREENSHOT_DIR names a folder (otherwise the test is skipped).
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

#include "qt_windows.h"
#include "support/window_tour.h"

namespace sg::test {
namespace {

namespace fs = std::filesystem;

TEST(Screenshots, OfEveryWindowWhenAsked) {
  const fs::path out = screenshotFolder();
  if (out.empty()) GTEST_SKIP() << "set SG_SCREENSHOT_DIR to write the pictures";
  QtWindows w;
  tourEveryWindow({
      .registry = w.registry,
      .services = w.svc,
      .open = [&](const std::string& form) { w.open(form); },
      .click =
          [&](const std::string& form, const std::string& button) {
            QTest::mouseClick(&w.widget<QPushButton>(form, button), Qt::LeftButton);
            settle();
          },
      .shot =
          [&](const std::string& form, const std::string& picture) {
            settle();
            EXPECT_TRUE(w.window(form).grab().save(QString::fromStdString((out / (picture + ".png")).string())))
                << picture;
          },
  });
}

}  // namespace
}  // namespace sg::test
