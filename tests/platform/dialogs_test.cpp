#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/launcher.h"

using namespace sg::platform;

TEST(ScriptedDialogs, RecordsEveryBoxAndAnswersFromTheQueue) {
  ScriptedDialogs d;
  d.queueAnswer(Answer::No);
  EXPECT_EQ(d.message("Go on?", kTitle, Icon::Exclamation, Buttons::YesNo), Answer::No);
  EXPECT_EQ(d.message("Again?", kTitle, Icon::Exclamation, Buttons::YesNo), Answer::Yes);
  d.queueAnswer(Answer::Yes);  // not offered by an OK box: the first button is given
  EXPECT_EQ(d.message("Note", kTitle, Icon::Error, Buttons::OK), Answer::OK);
  ASSERT_EQ(d.messages().size(), 3u);
  EXPECT_EQ(d.messages()[0].text, "Go on?");
  EXPECT_EQ(d.messages()[2].icon, Icon::Error);
  EXPECT_STREQ(iconName(Icon::Exclamation), "exclamation");
  EXPECT_STREQ(buttonsName(Buttons::YesNo), "YesNo");
}

TEST(RecordingLauncher, RecordsAndOptionallyPassesOn) {
  RecordingLauncher inner, outer;
  outer.passTo(&inner);
  EXPECT_TRUE(outer.start("renderJob0.bat", true));
  ASSERT_EQ(outer.records().size(), 1u);
  EXPECT_EQ(outer.records()[0].command, "renderJob0.bat");
  EXPECT_TRUE(outer.records()[0].minimised);
  EXPECT_EQ(inner.records().size(), 1u);
}
