// The main window on screen: its widths, panels, title double-click, the option loop through
// real widgets, closing and restarting.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "qt_windows.h"

namespace sg::test {
namespace {

class MainWindowOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    w.open("Form1");
    win = &w.window("Form1");
  }
  template <class W>
  W& widget(const char* name) { return w.widget<W>("Form1", name); }
  forms::Control& c(const char* name) { return w.c("Form1", name); }
  void click(const char* button) { QTest::mouseClick(&widget<QPushButton>(button), Qt::LeftButton); }
  std::string selectedLine() {
    auto& s = c("stacklist");
    return s.list(s.listIndex());
  }
  std::vector<std::string> visiblePanels() {
    std::vector<std::string> out;
    for (const char* f : {"frameI", "frameL", "frameR", "frameU"})
      if (widget<QGroupBox>(f).isVisibleTo(win)) out.push_back(f);
    return out;
  }

  QtWindows w;
  qt::FormWindow* win = nullptr;
};

TEST_F(MainWindowOnScreen, OpensNarrowAndAdvancedOptionsSwitchesTheWidth) {
  EXPECT_TRUE(win->isVisible());
  EXPECT_EQ(win->windowTitle(), "Strandvale G");
  EXPECT_EQ(win->width(), 5250 / 15 - qt::kBorderWidthPx);
  EXPECT_EQ(win->height(), 8010 / 15 - qt::kBorderHeightPx);
  click("Command6");
  EXPECT_EQ(win->width(), 12600 / 15 - qt::kBorderWidthPx);
  click("Command6");
  EXPECT_EQ(win->width(), 5250 / 15 - qt::kBorderWidthPx);
}

TEST_F(MainWindowOnScreen, PanelButtonsShowOnePanelAtATime) {
  EXPECT_TRUE(visiblePanels().empty());
  click("Command6");
  click("toggleI");
  EXPECT_EQ(visiblePanels(), std::vector<std::string>{"frameI"});
  click("toggleL");
  EXPECT_EQ(visiblePanels(), std::vector<std::string>{"frameL"});
  EXPECT_EQ(widget<QGroupBox>("frameL").pos(), QPoint(8, 272));
  click("toggleL");
  EXPECT_TRUE(visiblePanels().empty());
  EXPECT_FALSE(widget<QPushButton>("toggleU").isVisibleTo(win));
}

TEST_F(MainWindowOnScreen, TitleDoubleClickShowsTheRemovedSettings) {
  EXPECT_FALSE(widget<QComboBox>("comborotation").isVisibleTo(win));
  QTest::mouseDClick(&widget<QLabel>("Label14"), Qt::LeftButton);
  EXPECT_TRUE(widget<QComboBox>("comborotation").isVisibleTo(win));
  EXPECT_FALSE(widget<QCheckBox>("checkmirror").isVisibleTo(win));
  EXPECT_EQ(visiblePanels(), std::vector<std::string>{"frameR"});
}

TEST_F(MainWindowOnScreen, TheZoomLevelIsRewrittenAsItIsTyped) {
  auto& zoom = widget<QLineEdit>("zoomlevel");
  click("Command6");
  click("toggleI");
  EXPECT_FALSE(zoom.isEnabled());
  QTest::mouseClick(&widget<QCheckBox>("checklowramwrite"), Qt::LeftButton);
  EXPECT_TRUE(zoom.isEnabled());
  EXPECT_TRUE(widget<QCheckBox>("checkcropwhitespace").isEnabled());
  zoom.setFocus();
  zoom.end(false);
  QTest::keyClicks(&zoom, "3x");
  EXPECT_EQ(zoom.text(), "13");
  EXPECT_EQ(zoom.cursorPosition(), 2);
  QTest::keyClick(&zoom, Qt::Key_Backspace);
  QTest::keyClick(&zoom, Qt::Key_Backspace);
  EXPECT_EQ(zoom.text(), "1");
  EXPECT_EQ(c("zoomlevel").text(), "1");
}

TEST_F(MainWindowOnScreen, EditsInWidgetsRewriteTheSelectedStackRow) {
  auto& name = widget<QLineEdit>("txtmapname");
  name.clear();
  QTest::keyClicks(&name, "my/map");
  EXPECT_EQ(name.text(), "mymap");
  EXPECT_EQ(c("txtmapname").text(), "mymap");
  EXPECT_NE(selectedLine().find("mymap"), std::string::npos) << selectedLine();

  const std::string before = selectedLine();
  QTest::keyClick(&widget<QComboBox>("combostyle"), Qt::Key_Down);
  EXPECT_EQ(c("combostyle").listIndex(), 1);
  EXPECT_NE(selectedLine(), before);

  QTest::mouseClick(&widget<QCheckBox>("checknether"), Qt::LeftButton);
  EXPECT_EQ(c("comboDimension").listIndex(), 0);
  EXPECT_EQ(widget<QComboBox>("comboDimension").currentText(), "Nether");
}

TEST_F(MainWindowOnScreen, HiddenWorkingFieldsAreNeverShown) {
  for (const char* f : {"renderjob", "defaultset", "temppack", "donotterminate", "Command12", "translate_caption"})
    EXPECT_FALSE(w.realization.widget("Form1", f)->isVisibleTo(win)) << f;
}

TEST_F(MainWindowOnScreen, ClosingTheMainWindowEndsTheEventLoopAtOnce) {
  bool timedOut = false;
  w.open("Form5");  // another window is open as well
  QTimer::singleShot(0, win, [&] { win->close(); });
  QTimer::singleShot(5000, [&] { timedOut = true; QCoreApplication::exit(99); });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_TRUE(w.registry.ended());
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(w.registry.find("Form5"), nullptr);
}

TEST_F(MainWindowOnScreen, RestartBuildsAFreshMainWindow) {
  QPointer<qt::FormWindow> old = win;
  click("Command6");
  w.registry.get("Form5").control("Command6").userClick();  // the settings dialog's Restart
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(w.registry.ended());
  EXPECT_TRUE(old.isNull());
  qt::FormWindow& fresh = w.window("Form1");
  EXPECT_TRUE(fresh.isVisible());
  EXPECT_EQ(fresh.width(), 5250 / 15 - qt::kBorderWidthPx);  // back at its design state
}

}  // namespace
}  // namespace sg::test
