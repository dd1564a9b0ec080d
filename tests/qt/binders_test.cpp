// The builder and the binders on a window made for the purpose: widgets where the table puts
// them, user actions reaching the model once, and model changes reaching the widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/text.h"
#include "qt/layout_scale.h"
#include "qt_windows.h"
#include "support/probe_form.h"

namespace sg::test {
namespace {

using forms::Event;


struct Counts {
  int change = 0, lostFocus = 0, click = 0, dbl = 0, okClick = 0, plainDbl = 0, tick = 0, lstClick = 0;
  std::vector<int> itemChecks;
};

class Binders : public ::testing::Test {
 protected:
  void SetUp() override {
    registerProbe(w.registry);
    form = &w.registry.get("Probe");
    auto& txt = form->control("txt");
    // The way the main window keeps slashes out of the map name.
    txt.on(Event::Change, [&] {
      ++n.change;
      txt.setText(text::removeChar(txt.text(), '/'));
    });
    form->control("num").on(Event::LostFocus, [&] { ++n.lostFocus; });
    form->control("lbl").on(Event::Click, [&] { ++n.click; });
    form->control("lbl").on(Event::DblClick, [&] { ++n.dbl; });
    form->control("ok").on(Event::Click, [&] { ++n.okClick; });
    form->control("plain").on(Event::DblClick, [&] { ++n.plainDbl; });
    form->control("ticks").onItem(Event::ItemCheck, [&](int i) { n.itemChecks.push_back(i); });
    form->control("tmr").on(Event::Timer, [&] { ++n.tick; });
    form->control("lst").on(Event::Click, [&] { ++n.lstClick; });
    form->control("bye").on(Event::Click, [&] { form->unload(); });
    w.registry.show(*form);
    settle();
    win = &w.window("Probe");
  }
  template <class W>
  W& widget(const char* name) { return w.widget<W>("Probe", name); }
  forms::Control& c(const char* name) { return form->control(name); }

  QtWindows w;
  forms::Form* form = nullptr;
  qt::FormWindow* win = nullptr;
  Counts n;
};

TEST_F(Binders, WidgetsStandWhereTheTableSaysInsideTheirFrames) {
  // Twips become pixels through the window font's dialog units: 15 twips a pixel at the design font.
  const qt::LayoutScale& s = qt::windowLayoutScale();
  EXPECT_EQ(win->width(), s.toPixelsX(6000) - qt::kBorderWidthPx);
  EXPECT_EQ(win->height(), s.toPixelsY(4000) - qt::kBorderHeightPx);
  EXPECT_EQ(win->windowTitle(), "Probe window");
  EXPECT_EQ(widget<QLineEdit>("txt").geometry(), QRect(8, 8, 160, 21));
  auto& frame = widget<QGroupBox>("fra");
  EXPECT_EQ(frame.title(), "Choices");
  EXPECT_EQ(widget<QRadioButton>("opt2").parentWidget(), &frame);
  EXPECT_EQ(widget<QRadioButton>("opt2").geometry(), QRect(8, 44, 80, 19));
  EXPECT_EQ(widget<QRadioButton>("opt3").parentWidget(), win);
  EXPECT_FALSE(widget<QLineEdit>("field").isVisibleTo(win));
  EXPECT_TRUE(widget<QLineEdit>("num").isVisibleTo(win));
  EXPECT_TRUE(widget<QPushButton>("ok").isDefault());
  EXPECT_EQ(widget<QLabel>("lbl").text(), "A label");
  EXPECT_EQ(widget<QLineEdit>("num").text(), "7");
  EXPECT_EQ(widget<QComboBox>("edt").currentText(), "free");
}

TEST_F(Binders, TypingFiresChangeOncePerEditAndShowsWhatTheHandlerWroteBack) {
  auto& edit = widget<QLineEdit>("txt");
  QTest::keyClicks(&edit, "ab");
  EXPECT_EQ(n.change, 2);
  EXPECT_EQ(c("txt").text(), "ab");
  // The slash is refused at once; the cursor stays where the user was typing.
  edit.setCursorPosition(1);
  QTest::keyClicks(&edit, "/");
  EXPECT_EQ(c("txt").text(), "ab");
  EXPECT_EQ(edit.text(), "ab");
  EXPECT_EQ(edit.cursorPosition(), 1);
  QTest::keyClicks(&edit, "x");
  EXPECT_EQ(edit.text(), "axb");
  EXPECT_EQ(c("txt").text(), "axb");
  // A program's assignment shows in the widget and is not echoed back as a user edit.
  const int before = n.change;
  c("txt").setText("from/model");
  EXPECT_EQ(edit.text(), "frommodel");
  EXPECT_EQ(n.change, before + 2);  // the assignment, and the handler's own rewrite
  c("txt").setLocked(true);
  EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(Binders, CheckBoxesShowTheGreyedStateAndAClickOnItUnchecks) {
  auto& box = widget<QCheckBox>("chk");
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_EQ(c("chk").value(), 1);
  EXPECT_EQ(box.checkState(), Qt::Checked);
  c("chk").setValue(2);
  EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_EQ(c("chk").value(), 0);
  EXPECT_EQ(box.checkState(), Qt::Unchecked);
  c("chk").setEnabled(false);
  EXPECT_FALSE(box.isEnabled());
}

TEST_F(Binders, OptionButtonsAreGroupedByTheirFrame) {
  QTest::mouseClick(&widget<QRadioButton>("opt2"), Qt::LeftButton);
  EXPECT_EQ(c("opt2").value(), 1);
  EXPECT_EQ(c("opt1").value(), 0);
  EXPECT_FALSE(widget<QRadioButton>("opt1").isChecked());
  EXPECT_TRUE(widget<QRadioButton>("opt2").isChecked());
  EXPECT_TRUE(widget<QRadioButton>("opt3").isChecked());  // another container
  QTest::mouseClick(&widget<QRadioButton>("opt2"), Qt::LeftButton);
  EXPECT_TRUE(widget<QRadioButton>("opt2").isChecked());  // clicking a chosen option keeps it
}

TEST_F(Binders, DropDownListsFollowPicksAndAssignments) {
  auto& combo = widget<QComboBox>("lst");
  EXPECT_EQ(combo.currentIndex(), 0);
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(c("lst").listIndex(), 1);
  EXPECT_EQ(n.lstClick, 1);
  c("lst").setListIndex(2);
  EXPECT_EQ(combo.currentIndex(), 2);
  EXPECT_EQ(n.lstClick, 2);  // the assignment's own Click; no echo from the widget
  c("lst").addItem("d");
  c("lst").removeItem(0);
  ASSERT_EQ(combo.count(), 3);
  EXPECT_EQ(combo.itemText(2), "d");
  EXPECT_EQ(combo.currentIndex(), 1);
  c("lst").clear();
  EXPECT_EQ(combo.count(), 0);
}

TEST_F(Binders, ComboEditFieldsTakeTypingAndPicks) {
  auto& combo = widget<QComboBox>("edt");
  int changes = 0;
  c("edt").on(Event::Change, [&] { ++changes; });
  combo.lineEdit()->clear();
  QTest::keyClicks(combo.lineEdit(), "zz");
  EXPECT_EQ(c("edt").text(), "zz");
  EXPECT_EQ(changes, 2);  // clear() is not a user edit; each typed key is
  EXPECT_EQ(c("edt").listIndex(), -1);
  emit combo.activated(1);
  EXPECT_EQ(c("edt").listIndex(), 1);
  EXPECT_EQ(c("edt").text(), "y");
  EXPECT_EQ(combo.currentText(), "y");
  c("edt").setText("typed by the program");
  EXPECT_EQ(combo.currentText(), "typed by the program");
}

TEST_F(Binders, ListsSelectTickAndDoubleClick) {
  auto& plain = widget<QListWidget>("plain");
  QRect r1 = plain.visualItemRect(plain.item(1));
  QTest::mouseClick(plain.viewport(), Qt::LeftButton, {}, r1.center());
  EXPECT_EQ(c("plain").listIndex(), 1);
  QTest::mouseDClick(plain.viewport(), Qt::LeftButton, {}, r1.center());
  EXPECT_EQ(n.plainDbl, 1);
  c("plain").setListIndex(2);
  EXPECT_EQ(plain.currentRow(), 2);
  c("plain").setListIndex(-1);
  EXPECT_TRUE(plain.selectedItems().isEmpty());

  auto& ticks = widget<QListWidget>("ticks");
  ticks.item(2)->setCheckState(Qt::Checked);  // as the item's check box does on a click
  EXPECT_TRUE(c("ticks").selected(2));
  EXPECT_EQ(n.itemChecks, std::vector<int>{2});
  c("ticks").setSelected(0, true);
  EXPECT_EQ(ticks.item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(n.itemChecks, (std::vector<int>{2, 0}));
  c("ticks").setList(1, "renamed");
  EXPECT_EQ(ticks.item(1)->text(), "renamed");
  EXPECT_EQ(ticks.item(0)->checkState(), Qt::Checked);
}

// A list changed item by item shows each change alone: the other items stay the widgets' own
// (nothing is filled anew), ticks stay where they were, and the widget's own signals while the
// model's values go in never come back as the user's ticks. A burst of changes is shown once.
TEST_F(Binders, ListsShowEachItemChangeAloneAndABurstOnce) {
  auto& ticks = widget<QListWidget>("ticks");
  c("ticks").setSelected(1, true);
  n.itemChecks.clear();
  QListWidgetItem* first = ticks.item(0);
  c("ticks").addItem("t3");
  c("ticks").addItem("before all", 0);
  c("ticks").setList(2, "t1 renamed");
  c("ticks").removeItem(3);
  ASSERT_EQ(ticks.count(), 4);
  EXPECT_EQ(ticks.item(1), first);
  EXPECT_EQ(ticks.item(0)->text(), "before all");
  EXPECT_EQ(ticks.item(2)->text(), "t1 renamed");
  EXPECT_EQ(ticks.item(2)->checkState(), Qt::Checked);
  EXPECT_EQ(ticks.item(3)->text(), "t3");
  EXPECT_TRUE(n.itemChecks.empty());  // nothing the program did came back as a tick
  {
    forms::Control::ItemsBurst burst(c("ticks"));
    c("ticks").clear();
    for (int i = 0; i < 2000; ++i) c("ticks").addItem("block " + std::to_string(i));
    EXPECT_EQ(ticks.count(), 4);  // the burst is not shown until it ends
  }
  ASSERT_EQ(ticks.count(), 2000);
  EXPECT_EQ(ticks.item(1999)->text(), "block 1999");
  auto& combo = widget<QComboBox>("lst");
  c("lst").addItem("d");
  c("lst").setList(0, "a renamed");
  c("lst").removeItem(1);
  ASSERT_EQ(combo.count(), 3);
  EXPECT_EQ(combo.itemText(0), "a renamed");
  EXPECT_EQ(combo.itemText(2), "d");
  EXPECT_EQ(combo.currentIndex(), c("lst").listIndex());
}

TEST_F(Binders, LabelsTellAClickFromADoubleClick) {
  auto& label = widget<QLabel>("lbl");
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(n.click, 1);
  QTest::mouseDClick(&label, Qt::LeftButton);
  QTest::mouseRelease(&label, Qt::LeftButton);
  EXPECT_EQ(n.dbl, 1);
  EXPECT_EQ(n.click, 1);
  c("lbl").setCaption("Two\rlines");
  // One line high: the second line is cut off, and the tooltip holds both.
  EXPECT_EQ(label.text(), QStringLiteral("Two\u2026"));
  EXPECT_EQ(label.toolTip(), "Two\nlines");
  c("lbl").setGeometry(120, 2940, 2400, 600);
  EXPECT_EQ(label.text(), "Two\nlines");
  EXPECT_TRUE(label.toolTip().isEmpty());
}

TEST_F(Binders, EnterPressesTheDefaultButton) {
  win->activateWindow();
  widget<QLineEdit>("txt").setFocus();
  QTest::keyClick(&widget<QLineEdit>("txt"), Qt::Key_Return);
  EXPECT_EQ(n.okClick, 1);
  // The flag moves with the model.
  c("bye").setDefault(true);
  EXPECT_FALSE(widget<QPushButton>("ok").isDefault());
  EXPECT_TRUE(widget<QPushButton>("bye").isDefault());
}

TEST_F(Binders, FocusLeavingATextBoxIsItsLostFocus) {
  win->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(win));
  widget<QLineEdit>("num").setFocus(Qt::TabFocusReason);
  widget<QCheckBox>("chk").setFocus(Qt::TabFocusReason);
  EXPECT_EQ(n.lostFocus, 1);
}

TEST_F(Binders, TabOrderFollowsTheModel) {
  c("ok").setTabIndex(0);
  settle();
  EXPECT_EQ(widget<QPushButton>("ok").nextInFocusChain(), &widget<QLineEdit>("txt"));
}

TEST_F(Binders, TimersTickTheControlWhileEnabled) {
  c("tmr").setTimerEnabled(true);
  QTest::qWait(150);
  EXPECT_GE(n.tick, 2);
  c("tmr").setTimerEnabled(false);
  const int stopped = n.tick;
  QTest::qWait(80);
  EXPECT_EQ(n.tick, stopped);
}

TEST_F(Binders, AWindowUnloadedByItsOwnHandlerGoesAfterTheClick) {
  QPointer<qt::FormWindow> gone = win;
  QTest::mouseClick(&widget<QPushButton>("bye"), Qt::LeftButton);
  EXPECT_EQ(w.registry.find("Probe"), nullptr);
  EXPECT_FALSE(gone.isNull());  // still on the stack of its own click
  settle();
  EXPECT_TRUE(gone.isNull());
  // Loading it again builds a fresh window.
  w.open("Probe");
  EXPECT_NE(w.realization.window("Probe"), nullptr);
}

TEST_F(Binders, TheCloseBoxLetsTheModelDecide) {
  win->close();
  EXPECT_EQ(w.registry.find("Probe"), nullptr);  // a plain window unloads
  settle();
  EXPECT_EQ(w.realization.window("Probe"), nullptr);
}

}  // namespace
}  // namespace sg::test
