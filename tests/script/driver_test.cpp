#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "platform/files.h"
#include "sample_window.h"
#include "script/driver.h"
#include "support/working_folder.h"

namespace {

using sg::test::sampleTrace;

struct Outcome {
  std::string out, err;
  int status;
  std::string trace;
};

Outcome run(const std::string& script) {
  sampleTrace().clear();
  std::ostringstream out, err;
  std::istringstream in(script);
  sg::script::Driver driver(out, err, sg::test::registerSampleForms);
  int status = driver.run(in);
  return {out.str(), err.str(), status, sampleTrace()};
}

// Runs the lines after "start" and expects them to succeed.
Outcome ok(const std::string& lines) {
  Outcome r = run("start\n" + lines);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  return r;
}

// Expects the script to stop at line `line` with status 2 and a message naming it.
void fails(const std::string& script, int line, const std::string& part = "") {
  Outcome r = run(script);
  EXPECT_EQ(r.status, 2) << script;
  EXPECT_EQ(r.err.rfind("line " + std::to_string(line) + ": ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

TEST(ScriptDriver, StartLoadsAndShowsTheMainWindowOnce) {
  Outcome r = run("print Form1.Loaded\nprint Other.Loaded\nstart\nprint Form1.Loaded\nprint Form1.Visible\n"
              "print Form1.Caption\nprint Form1.Width\n");
  EXPECT_EQ(r.out, "Form1.Loaded=0\nOther.Loaded=0\nForm1.Loaded=1\nForm1.Visible=1\n"
                   "Form1.Caption=Sample\nForm1.Width=6000\n");
  EXPECT_EQ(r.trace, "Form1:Load ");
}

TEST(ScriptDriver, TypeReplacesTheTextByteForByteWithOneChange) {
  Outcome r = ok("type Form1.txtName  two  blanks \"q\" \nprint Form1.txtName.Text\n"
             "type Form1.txtName \nprint Form1.txtName.Text\ntype Form1.txtName\n");
  EXPECT_EQ(r.out, "Form1.txtName.Text= two  blanks \"q\" \nForm1.txtName.Text=\n");
  // Typing the text it already holds changes nothing.
  EXPECT_EQ(r.trace, "Form1:Load txtName:Change= two  blanks \"q\"  txtName:Change= ");
  EXPECT_EQ(ok("type Form1.comboEdit gamma\nprint Form1.comboEdit.Text\n").out, "Form1.comboEdit.Text=gamma\n");
}

TEST(ScriptDriver, ClickActsAsTheUsersClick) {
  Outcome r = ok("click Form1.check1\nclick Form1.check1\nset Form1.check1.Value 2\nclick Form1.check1\n"
             "print Form1.check1.Value\nclick Form1.opt2\nprint Form1.opt1.Value\nprint Form1.opt2.Value\n"
             "click Form1.Label1\n");
  EXPECT_EQ(r.out, "Form1.check1.Value=0\nForm1.opt1.Value=0\nForm1.opt2.Value=1\n");
  EXPECT_EQ(r.trace, "Form1:Load check1:Click=1 check1:Click=0 check1:Click=2 check1:Click=0 opt2:Click "
                     "Label1:Click ");
}

TEST(ScriptDriver, TheProgramMayAssignWhatTheUserCannotReach) {
  EXPECT_EQ(ok("set Form1.cmdHidden.Visible 1\nclick Form1.cmdHidden\nset Form1.keepOpen.Value 1\n"
               "print Form1.keepOpen.Value\n").out, "Form1.keepOpen.Value=1\n");
}

TEST(ScriptDriver, ListsPickDoubleClickAndTickItems) {
  Outcome r = ok("pick Form1.List1 1\nprint Form1.List1.Text\ndblclick Form1.List1 2\npick Form1.comboEdit 1\n"
             "print Form1.comboEdit.Text\nitem Form1.ticks 1 1\nitem Form1.ticks 1 1\nprint Form1.ticks.Selected(1)\n"
             "item Form1.ticks 1 0\nprint Form1.ticks.Selected(1)\ndblclick Form1.Label1\n");
  EXPECT_EQ(r.out, "Form1.List1.Text=two\nForm1.comboEdit.Text=beta\nForm1.ticks.Selected(1)=1\n"
                   "Form1.ticks.Selected(1)=0\n");
  EXPECT_EQ(r.trace, "Form1:Load List1:Click List1:Click List1:DblClick=three comboEdit:Click "
                     "ticks:ItemCheck=1 ticks:ItemCheck=1 Label1:DblClick ");
}

TEST(ScriptDriver, TimersTickOnlyWhileEnabledAndStopWithTheirWindow) {
  Outcome r = ok("tick Form1.Timer2 4\ntick Form1.Timer1\nset Form1.stayAlive.Value 1\ntick Form1.Timer1 5\n"
             "print Form1.Loaded\n");
  EXPECT_EQ(r.trace, "Form1:Load Timer1:Timer Timer1:Timer Timer1:Timer ");
  EXPECT_EQ(r.out, "Form1.Loaded=0\n");
  // Without stayAlive the window's unload ends the program in the middle of the ticks.
  Outcome ended = ok("tick Form1.Timer1 9\nprint Form1.Loaded\n");
  EXPECT_EQ(ended.out, "end\n");
  EXPECT_EQ(ended.trace, "Form1:Load Timer1:Timer Timer1:Timer Timer1:Timer ");
}

TEST(ScriptDriver, CloseBoxMayBeRefusedAndEndingStopsTheScript) {
  EXPECT_EQ(ok("set Form1.keepOpen.Value 1\nclose Form1\nprint Form1.Loaded\n").out, "Form1.Loaded=1\n");
  // Nothing after the end is read, not even a faulty line.
  Outcome r = ok("close Form1\nthis is not a command\n");
  EXPECT_EQ(r.out, "end\n");
  EXPECT_EQ(ok("click Form1.cmdQuit\nprint Form1.Loaded\n").out, "end\n");
}

TEST(ScriptDriver, MessageBoxesAndLaunchesPrintWhenTheyHappen) {
  Outcome r = ok("print Form1.check1.Value\nanswer No\nclick Form1.cmdAsk\nclick Form1.cmdAsk\ntime 08:09:10\n"
             "click Form1.cmdLaunch\nanswer Yes OK\nprint Form1.Visible\n");
  EXPECT_EQ(r.out,
            "Form1.check1.Value=0\n"
            "msgbox exclamation YesNo No | Sample | Go on?<CR><LF>Really?\n"
            "msgbox information OK OK | Sample | Done\n"
            "msgbox exclamation YesNo Yes | Sample | Go on?<CR><LF>Really?\n"
            "msgbox information OK OK | Sample | Done\n"
            "launch renderJob1.bat minimised\n"
            "msgbox none OK OK | Sample | Started at 08:09:10\n"
            "Form1.Visible=1\n");
  EXPECT_EQ(r.trace, "Form1:Load answer=No answer=Yes ");
}

TEST(ScriptDriver, PrintsPropertiesInTheirTextForms) {
  Outcome r = ok("set Form1.List1.ListIndex 0\nprint Form1.List1.List\nprint Form1.List1.listcount\n"
             "print Form1.List1.Selected(0)\nprint Form1.txtName.Enabled\nset Form1.txtName.Tag a b \n"
             "print Form1.txtName.Tag\nprint Form1.Timer2.Enabled\nprint Form1.Timer1.Interval\n"
             "print Form1.opt1.Left\nprint Form1.check1.Caption\nprint Form1.txtLocked.TabIndex\n");
  EXPECT_EQ(r.out, "Form1.List1.List(0)=one\nForm1.List1.List(1)=two\nForm1.List1.List(2)=three\n"
                   "Form1.List1.ListCount=3\nForm1.List1.listcount=3\nForm1.List1.Selected(0)=1\n"
                   "Form1.txtName.Enabled=1\nForm1.txtName.Tag=a b \nForm1.Timer2.Enabled=0\n"
                   "Form1.Timer1.Interval=1000\nForm1.opt1.Left=100\nForm1.check1.Caption=Check\n"
                   "Form1.txtLocked.TabIndex=1\n");
}

TEST(ScriptDriver, AssignmentsFireWhatTheProgramsAssignmentFires) {
  Outcome r = ok("set Form1.txtName.Text x\nset Form1.List1.ListIndex 2\nset Form1.List1.ListIndex -1\n"
             "set Form1.check1.Value 1\nset Form1.Label1.Caption New\nprint Form1.Label1.Caption\n");
  EXPECT_EQ(r.trace, "Form1:Load txtName:Change=x List1:Click List1:Click check1:Click=1 ");
}

TEST(ScriptDriver, EnvironmentAndFilesOfTheWorkingFolder) {
  ok("env SG_SCRIPT_TEST_VAR a b \n");
  ASSERT_NE(std::getenv("SG_SCRIPT_TEST_VAR"), nullptr);
  EXPECT_STREQ(std::getenv("SG_SCRIPT_TEST_VAR"), "a b ");
  ok("unenv SG_SCRIPT_TEST_VAR\n");
  EXPECT_EQ(std::getenv("SG_SCRIPT_TEST_VAR"), nullptr);

  ok("append job.log first line\nappend job.log \nappend job.log last\n");
  EXPECT_EQ(sg::test::readFile("job.log"), "first line\r\n\r\nlast\r\n");
  ok("remove job.log\nremove job.log\n");
  EXPECT_FALSE(sg::files::FileExists("job.log"));
}

TEST(ScriptDriver, SleepAndLauncherModes) {
  EXPECT_EQ(ok("sleep 0.01\nsleep .001\nsleep 0\nlauncher record\n").out, "");
}

TEST(ScriptDriver, FaultyLinesNameTheirNumberAndKeepEarlierOutput) {
  Outcome r = run("# a comment\n\nstart\r\nprint Form1.check1.Value\r\nclick  Form1.check1\nprint Form1.Loaded\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "Form1.check1.Value=0\n");
  EXPECT_EQ(r.err, "line 5: malformed line: words of 'click' are separated by single blanks\n");
}

// Lines the driver refuses: the script stops at the line with status 2 and a message that
// begins with the line's number and names the reason.
struct Refusal {
  const char* script;
  int line;
  const char* reason;
};

constexpr Refusal kRefusals[] = {
    // Start loads and shows the main window once
    {"start\nstart\n", 2, "already started"},
    {"start now\n", 1, "malformed"},
    // Type replaces the text byte for byte with one change
    {"start\ntype Form1.Label1 x\n", 2, "no text"},
    {"start\ntype Form1.txtLocked x\n", 2, "locked"},
    // Click acts as the users click
    {"start\nclick Form1.Timer1\n", 2, "tick"},
    {"start\nclick Form1.nothing\n", 2, "no control nothing"},
    {"start\nclick Other.x\n", 2, "not loaded"},
    {"start\nclick Nowhere.x\n", 2, "no form Nowhere"},
    // A user cannot reach hidden disabled or far controls
    {"start\nclick Form1.cmdHidden\n", 2, "hidden"},
    {"start\nset Form1.check1.Enabled 0\nclick Form1.check1\n", 3, "disabled"},
    {"start\nset Form1.Frame1.Visible 0\nclick Form1.opt2\n", 3, "hidden frame Frame1"},
    {"start\nset Form1.Frame1.Enabled False\nclick Form1.opt2\n", 3, "disabled frame"},
    {"start\nclick Form1.cmdFar\n", 2, "beyond the edge"},
    {"start\nclick Form1.optFar\n", 2, "beyond the edge"},  // a frame's controls stand relative to it
    // Lists pick double click and tick items
    {"start\npick Form1.List1 3\n", 2, "out of range"},
    {"start\npick Form1.List1 -1\n", 2, "out of range"},
    {"start\ndblclick Form1.List1 9\n", 2, "out of range"},
    {"start\nitem Form1.List1 0 1\n", 2, "check-box list"},
    {"start\nitem Form1.ticks 0 2\n", 2, "0 or 1"},
    {"start\npick Form1.txtName 0\n", 2, "not a list"},
    {"start\npick Form1.List1 1.0\n", 2, "whole number"},
    {"start\npick Form1.List1 +1\n", 2, "whole number"},
    // Timers tick only while enabled and stop with their window
    {"start\ntick Form1.check1\n", 2, "not a timer"},
    {"start\ntick Form1.Timer1 -1\n", 2, "negative"},
    // Close box may be refused and ending stops the script
    {"close Form1\n", 1, "not loaded"},
    // Message boxes and launches print when they happen
    {"answer\n", 1, "malformed"},
    {"answer Yes Cancel\n", 1, "Cancel"},
    {"time 24:00:00\n", 1, "time of day"},
    {"time 1:00:00\n", 1, "time of day"},
    // Prints properties in their text forms
    {"start\nprint Form1.Label1.Text\n", 2, "no property Text"},
    {"start\nprint Form1.List1.List(3)\n", 2, "out of range"},
    {"start\nprint Form1.List1.Selected\n", 2, "needs an index"},
    {"start\nprint Form1.txtName.Text(0)\n", 2, "takes no index"},
    {"start\nprint Form1.txtName.Colour\n", 2, "no property Colour"},
    {"start\nprint Form1.txtName\n", 2, "no property txtName"},
    {"start\nprint Form1.a.b.c\n", 2, "malformed reference"},
    {"start\nprint Form1..Text\n", 2, "malformed reference"},
    {"print Nowhere.Loaded\n", 1, "no form Nowhere"},
    {"print Other.Caption\n", 1, "not loaded"},
    // Assignments fire what the programs assignment fires
    {"start\nset Form1.check1.Value 3\n", 2, "Form1.check1.Value"},
    {"start\nset Form1.List1.ListIndex 3\n", 2, "List1"},
    {"start\nset Form1.txtName.Enabled yes\n", 2, "neither 1 nor 0"},
    {"start\nset Form1.List1.ListCount 1\n", 2, "cannot be set"},
    {"start\nset Form1.txtName x\n", 2, "FORM.CONTROL.PROPERTY"},
    // Environment and files of the working folder
    {"env A=B c\n", 1, "environment variable"},
    {"append ../outside.txt x\n", 1, "not in the working folder"},
    {"append /tmp/outside.txt x\n", 1, "not in the working folder"},
    {"remove a/../../b\n", 1, "not in the working folder"},
    // Sleep and launcher modes
    {"sleep -1\n", 1, "seconds"},
    {"sleep 1.2.3\n", 1, "seconds"},
    {"sleep\n", 1, "malformed"},
    {"launcher fake\n", 1, "record"},
    // Faulty lines name their number and keep earlier output
    {"start\nfly Form1\n", 2, "unknown command 'fly'"},
    {" start\n", 1, "unknown command"},
    {"start \n", 1, "single blanks"},
    {"start\nprint Form1.Loaded extra\n", 2, "malformed"},
};

TEST(ScriptDriver, RefusedLinesStopTheScriptNamingTheLineAndTheReason) {
  for (const Refusal& r : kRefusals) {
    SCOPED_TRACE(r.script);
    fails(r.script, r.line, r.reason);
  }
}

}  // namespace
