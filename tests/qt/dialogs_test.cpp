// Message boxes as real boxes, answered through the test hook; and windows that a handler
// unloaded stay alive until the handler's box has been answered.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "qt/qt_dialogs.h"
#include "qt_windows.h"

namespace sg::test {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

TEST(QtMessageBoxes, ShowTitleIconButtonsAndLineBreaksAndReturnTheButtonPressed) {
  qt::QtDialogs dialogs;
  QString title, text;
  QMessageBox::Icon icon{};
  QMessageBox::StandardButtons buttons{};
  dialogs.setAnswerHook([&](QMessageBox& box) {
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(dialogs.open());
    title = box.windowTitle();
    text = box.text();
    icon = box.icon();
    buttons = box.standardButtons();
    box.button(QMessageBox::No)->click();
  });
  Answer a = dialogs.message("Render 25 images?\rFirst line\r\nSecond", "Strandvale G", Icon::Exclamation,
                             Buttons::YesNo);
  EXPECT_EQ(a, Answer::No);
  EXPECT_EQ(title, "Strandvale G");
  EXPECT_EQ(text, "Render 25 images?\nFirst line\nSecond");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_FALSE(dialogs.open());

  dialogs.setAnswerHook([&](QMessageBox& box) {
    icon = box.icon();
    buttons = box.standardButtons();
    box.button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(dialogs.message("Invalid charset", "Strandvale G", Icon::Error, Buttons::OK), Answer::OK);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, QMessageBox::Ok);
}

TEST(QtMessageBoxes, EscapeOnAQuestionAnswersNo) {
  qt::QtDialogs dialogs;
  dialogs.setAnswerHook([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(dialogs.message("Sure?", "Strandvale G", Icon::Exclamation, Buttons::YesNo), Answer::No);
}

// A window that counts its own destruction.
struct Watched : forms::Form {
  Watched(forms::Registry& r, bool& gone) : Form(r, "Probe", "Probe", 3000, 2000), gone_(gone) {
    declare({{.kind = forms::Kind::CommandButton, .name = "go", .caption = "Go", .left = 120, .top = 120,
              .width = 1200, .height = 375}});
  }
  ~Watched() override { gone_ = true; }
  bool& gone_;
};

TEST(QtMessageBoxes, AWindowUnloadedBeforeItsHandlerAsksStaysUntilTheAnswer) {
  qt::QtDialogs dialogs;
  TestServices svc;
  platform::Services services{dialogs, svc.launcher, svc.clock, svc.environment};
  forms::Registry registry(services);
  qt::QtRealization realization(registry, &dialogs);
  bool gone = false;
  registry.registerForm("Probe", [&](forms::Registry& r) { return std::make_unique<Watched>(r, gone); });
  forms::Form& f = registry.get("Probe");
  registry.show(f);
  bool goneWhileAsking = true;
  f.control("go").on(forms::Event::Click, [&] {
    f.unload();
    f.services().dialogs.message("Unloaded", "Strandvale G", Icon::Exclamation, Buttons::OK);
    EXPECT_EQ(f.control("go").caption(), "Go");  // the handler still uses its window
  });
  dialogs.setAnswerHook([&](QMessageBox& box) {
    QTest::qWait(30);  // deferred work runs underneath the open box
    goneWhileAsking = gone;
    box.button(QMessageBox::Ok)->click();
  });
  QTest::mouseClick(qobject_cast<QPushButton*>(realization.widget("Probe", "go")), Qt::LeftButton);
  EXPECT_FALSE(goneWhileAsking);
  QTest::qWait(50);
  settle();
  EXPECT_TRUE(gone);
}

}  // namespace
}  // namespace sg::test
