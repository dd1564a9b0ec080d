// Every line of a generated batch file read back with the command processor's rules: each line
// is one command, echo lines log the names as typed, and the two tools receive exactly the
// intended arguments, whatever the names hold.
#include <gtest/gtest.h>

#include "batch/batch_line.h"
#include "batch/windows_arguments.h"
#include "job_window.h"
#include "settings/interface_settings.h"

using namespace sg;

namespace {

struct Parsed {
  std::string word;
  std::vector<std::string> args;  // the tools' arguments after their name
  std::string echo;               // what an echo line logs
  std::string logFile;            // where it logs
};

// Any %NAME% that survived escaping would expand to this.
std::optional<std::string> everyVariable(const std::string&) { return std::string("EXPANDED"); }

std::vector<Parsed> readBack(const std::string& batch) {
  std::vector<Parsed> out;
  for (const auto& line : sgbatch::batchLines(test::readFile(batch))) {
    auto commands = sgbatch::parseLine(sgbatch::expandPercents(line, batch, everyVariable));
    if (line.empty()) {
      EXPECT_TRUE(commands.empty());
      continue;
    }
    EXPECT_EQ(commands.size(), 1u) << line;
    if (commands.empty()) continue;
    const auto& c = commands[0];
    auto word = sgbatch::commandWord(c.text);
    Parsed p;
    p.word = word.word;
    if (word.word == "echo") {
      p.echo = sgbatch::echoText(word).value_or("");
      EXPECT_EQ(c.redirections.size(), c.quiet ? 0u : 1u) << line;
      if (!c.redirections.empty()) p.logFile = c.redirections[0].file;
    } else {
      EXPECT_TRUE(c.redirections.empty()) << line;
      auto argv = sgbatch::splitWindowsArguments(c.text);
      p.args.assign(argv.begin() + (argv.empty() ? 0 : 1), argv.end());
    }
    out.push_back(p);
  }
  return out;
}

const Parsed* find(const std::vector<Parsed>& lines, const std::string& word, int nth = 0) {
  for (const auto& p : lines)
    if (p.word == word && nth-- == 0) return &p;
  return nullptr;
}

// The argument after the keyword.
std::string after(const Parsed& p, const std::string& keyword) {
  for (size_t i = 0; i + 1 < p.args.size(); ++i)
    if (p.args[i] == keyword) return p.args[i + 1];
  ADD_FAILURE() << "no " << keyword;
  return {};
}

const std::vector<std::string> kNames = {
    "plain",  "a b",   "a&b",      "50%",      "%PATH%",  "x^y",   "(p)",       "bang!",
    "a|b",    "<in>",  "a && b",   "^&^",      "100%% ", "trail\\", "all & % ^ ( ) ! | < >"};

struct BatchRoundTrip : ::testing::TestWithParam<std::string> {
  test::JobWindow w;
};

TEST_P(BatchRoundTrip, StackedRowNamesReachTheLogAndTheTools) {
  const std::string name = GetParam();
  w.c("txtmapname").setText(name);
  const std::string map = w.c("txtmapname").text();  // as the map name box keeps it
  w.render();
  auto lines = readBack("renderJob0.bat");
  const std::string final = map + "_normal_north.png";

  ASSERT_TRUE(find(lines, "echo", 3));  // after the introduction and the starting time
  EXPECT_EQ(find(lines, "echo", 2)->echo, "Rendering renderJob0layer0.png (" + final + ") ");
  EXPECT_EQ(find(lines, "echo", 2)->logFile, "renderJob0.log");
  EXPECT_EQ(find(lines, "echo", 3)->echo, "Post Processing " + final + " ");

  const Parsed* renderer = find(lines, "strandvale_g_renderer.exe");
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->args, (std::vector<std::string>{"folder", "World1", "name", map, "normal", "north", "automirror",
                                                      "progress", "renderJob0progress.log", "outfile",
                                                      "renderJob0layer0.png"}));
  const Parsed* post = find(lines, "strandvale_g_post_processor.exe");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->args, (std::vector<std::string>{"input", "renderJob0layer0.png", "delete", "output", final}));
}

TEST_P(BatchRoundTrip, DirectRouteFoldersAndCustomPathsArriveWhole) {
  const std::string name = GetParam();
  w.c("checkdisablepostprocessor").setValue(1);
  w.c("txtoutputfile").setText("D:\\out " + name + "\\");
  auto& worlds = w.c("comboworldfolders");
  worlds.setListIndex(worlds.listCount() - 1);
  w.c("txtcustompath").setText("E:\\worlds\\" + name + "\\");
  w.c("txtmapname").setText(name);
  const std::string map = w.c("txtmapname").text();
  w.f5("oppathappdata").setValue(0);
  w.f5("oppathcustom").setValue(1);
  w.f5("customsavepath").setText("C:\\saves " + name + "\\");
  w.w().svc.environment.set("APPDATA", "C:\\Users\\" + name);
  w.render();
  auto lines = readBack("renderJob0.bat");
  const std::string final = "D:\\out " + name + "\\" + map + "_normal_north.png";

  ASSERT_TRUE(find(lines, "echo", 2));
  EXPECT_EQ(find(lines, "echo", 2)->echo, "Rendering \"" + final + "\" ");
  const Parsed* renderer = find(lines, "strandvale_g_renderer.exe");
  ASSERT_TRUE(renderer);
  EXPECT_EQ(after(*renderer, "custom"), "E:\\worlds\\" + name + "\\");
  EXPECT_EQ(after(*renderer, "name"), map);
  EXPECT_EQ(after(*renderer, "environment"), settings::getSavePath(w.w().registry));
  EXPECT_EQ(after(*renderer, "outfile"), final);
  EXPECT_EQ(renderer->args.back(), final);
  EXPECT_FALSE(find(lines, "strandvale_g_post_processor.exe"));
}

INSTANTIATE_TEST_SUITE_P(Names, BatchRoundTrip, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return "name" + std::to_string(info.index); });

TEST(BatchRoundTripPlain, MergeAndLayerFilterArguments) {
  test::JobWindow w;
  w.c("txtmapname").setText("a & b");
  w.c("stacklist").addItem(w.w().selectedLine());
  w.c("comborotation").setListIndex(2);
  w.c("combobackground").setListIndex(3);
  w.render();
  auto lines = readBack("renderJob0.bat");
  const Parsed* post = find(lines, "strandvale_g_post_processor.exe");
  ASSERT_TRUE(post);
  EXPECT_EQ(post->args, (std::vector<std::string>{"merge", "2", "renderJob0layer0.png", "renderJob0layer1.png", "rotate",
                                                  "180", "color", "Green", "delete", "output",
                                                  "a & b_normal_north_2-renders.png"}));
  EXPECT_EQ(find(lines, "echo", 0)->echo, "Rename this batchfile if you want to use it again");
  EXPECT_EQ(find(lines, "echo", 1)->echo, "Starting at 12:00:00 ");
  EXPECT_EQ(lines.back().word, "del");
}

}  // namespace
