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
  if (screenshotFolder().empty()) GTEST_SKIP() << kNoScreenshotsWanted;
  QtWindows w;
  tourEveryWindowOf(
      w,
      [&](const std::string& form, const std::string& button) {
        QTest::mouseClick(&w.widget<QPushButton>(form, button), Qt::LeftButton);
        settle();
      },
      [&](const std::string& form, const fs::path& file, std::string& error) {
        settle();
        if (w.window(form).grab().save(QString::fromStdString(file.string()))) return true;
        error = "the picture could not be saved";
        return false;
      });
}

}  // namespace
}  // namespace sg::test
