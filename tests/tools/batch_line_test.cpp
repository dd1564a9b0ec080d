// The command processor's line rules: percent expansion, quotes, escapes, separators,
// redirections and Windows argument splitting.
#include <gtest/gtest.h>

#include "batch/batch_line.h"
#include "batch/windows_arguments.h"

using namespace sgbatch;

namespace {

std::optional<std::string> fakeVariables(const std::string& name) {
  if (name == "HOME") return std::string("/home/me");
  return std::nullopt;
}

std::string expand(const std::string& line) { return expandPercents(line, "job.bat", fakeVariables); }

std::vector<std::string> split(const std::string& s) { return splitWindowsArguments(s); }

}  // namespace

TEST(BatchPercent, DoubledPercentIsOneAndLonePercentIsDropped) {
  EXPECT_EQ(expand("echo 100%% done"), "echo 100% done");
  EXPECT_EQ(expand("echo 100% done"), "echo 100 done");
  EXPECT_EQ(expand("echo %%%%"), "echo %%");
  EXPECT_EQ(expand("x %HOME% y"), "x /home/me y");
  EXPECT_EQ(expand("a%UNSET%b"), "ab");
  // Two single percent signs enclose a variable name, even across words.
  EXPECT_EQ(expand("echo 50% and 60% off"), "echo 50 off");
  EXPECT_EQ(expand("run %1 %0 %*"), "run  job.bat ");
  // Quotes do not protect from expansion.
  EXPECT_EQ(expand("\"a%%b\""), "\"a%b\"");
}

TEST(BatchLines, CarriageReturnsDropAndCaretJoinsLines) {
  auto lines = batchLines("one\r\ntwo^\r\n&three\r\n\r\nlast");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "one");
  EXPECT_EQ(lines[1], "two^&three");  // the joined line's first character stays escaped
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "last");
  // A caret inside quotes or escaped itself does not join.
  auto kept = batchLines("\"a^\"\nb^^\nc");
  ASSERT_EQ(kept.size(), 3u);
}

TEST(BatchParse, EchoRedirectionKeepsTheBlankBeforeIt) {
  auto c = parseLine("echo Starting at 14:03:59 >> renderJob0.log");
  ASSERT_EQ(c.size(), 1u);
  ASSERT_EQ(c[0].redirections.size(), 1u);
  EXPECT_TRUE(c[0].redirections[0].append);
  EXPECT_EQ(c[0].redirections[0].file, "renderJob0.log");
  auto word = commandWord(c[0].text);
  EXPECT_EQ(word.word, "echo");
  EXPECT_EQ(*echoText(word), "Starting at 14:03:59 ");
}

TEST(BatchParse, SpecialCharactersSplitUnlessQuotedOrEscaped) {
  auto c = parseLine("echo a&b (c) ! > out.txt");
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].text, "echo a");
  EXPECT_EQ(c[0].next, Connector::Always);
  EXPECT_EQ(c[1].text, "b (c) ! ");
  EXPECT_EQ(c[1].redirections[0].file, "out.txt");
  EXPECT_FALSE(c[1].redirections[0].append);

  auto quoted = parseLine("tool \"a&b > c | d ^x\" e^&f ^^ ^>g");
  ASSERT_EQ(quoted.size(), 1u);
  EXPECT_EQ(quoted[0].text, "tool \"a&b > c | d ^x\" e&f ^ >g");
  EXPECT_TRUE(quoted[0].redirections.empty());

  auto cond = parseLine("a && b || c | d");
  ASSERT_EQ(cond.size(), 4u);
  EXPECT_EQ(cond[0].next, Connector::IfSucceeded);
  EXPECT_EQ(cond[1].next, Connector::IfFailed);
  EXPECT_EQ(cond[2].next, Connector::Pipe);
  EXPECT_EQ(cond[3].next, Connector::End);
}

TEST(BatchParse, AtSignsHandlesAndQuotedTargets) {
  auto c = parseLine("  @@echo x 2>> \"err file.txt\" 2>&1");
  ASSERT_EQ(c.size(), 1u);
  EXPECT_TRUE(c[0].quiet);
  EXPECT_EQ(c[0].text, "echo x  ");  // the blanks around a redirection stay
  ASSERT_EQ(c[0].redirections.size(), 2u);
  EXPECT_EQ(c[0].redirections[0].handle, 2);
  EXPECT_EQ(c[0].redirections[0].file, "err file.txt");
  EXPECT_EQ(c[0].redirections[1].duplicateOf, 1);
  // A digit that is part of a word is text, not a handle.
  auto d = parseLine("echo abc2>x");
  EXPECT_EQ(d[0].text, "echo abc2");
  EXPECT_EQ(d[0].redirections[0].handle, 1);
  EXPECT_TRUE(parseLine("").empty());
  EXPECT_TRUE(parseLine("   ").empty());
}

TEST(BatchParse, EchoForms) {
  EXPECT_EQ(*echoText(commandWord("echo")), "ECHO is on.");
  EXPECT_EQ(*echoText(commandWord("echo   ")), "ECHO is on.");
  EXPECT_EQ(*echoText(commandWord("echo.")), "");
  EXPECT_EQ(*echoText(commandWord("echo.x")), "x");
  EXPECT_EQ(*echoText(commandWord("ECHO  two blanks")), " two blanks");
  EXPECT_FALSE(echoText(commandWord("echo off")).has_value());
  EXPECT_EQ(commandWord("\"strandvale_g_renderer.exe\" a b").word, "strandvale_g_renderer.exe");
  EXPECT_EQ(commandWord("\"strandvale_g_renderer.exe\" a b").rest, " a b");
}

TEST(WindowsArguments, QuotesAndBackslashes) {
  EXPECT_EQ(split("a b\tc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(split("  folder \"New World\" name \"\" x"),
            (std::vector<std::string>{"folder", "New World", "name", "", "x"}));
  // The save folder piece: a path ending in a backslash, doubled before the closing quote.
  EXPECT_EQ(split("environment \"D:\\games\\saves\\\\\" verbosity 1"),
            (std::vector<std::string>{"environment", "D:\\games\\saves\\", "verbosity", "1"}));
  EXPECT_EQ(split("a\\\\b \\\"q\\\" c\\\\\\\"d"),
            (std::vector<std::string>{"a\\\\b", "\"q\"", "c\\\"d"}));
  EXPECT_EQ(split("\"in \"\"quotes\"\" here\""), (std::vector<std::string>{"in \"quotes\" here"}));
  EXPECT_EQ(split("ab\"c d\"ef"), (std::vector<std::string>{"abc def"}));
  EXPECT_EQ(split("\"unclosed rest"), (std::vector<std::string>{"unclosed rest"}));
  EXPECT_TRUE(split("   ").empty());
}

TEST(WindowsArguments, QuotingGivesEveryArgumentBack) {
  std::vector<std::string> samples{"", "plain", "two words", "trail\\", "q\"uote", "\\\\\"x",
                                   "tab\there", "a\\b\\ c\\"};
  std::string line;
  for (const auto& s : samples) line += quoteWindowsArgument(s) + " ";
  EXPECT_EQ(split(line), samples);
}

// A command continued over a hundred thousand lines joins into one, each character looked at once.
TEST(BatchLines, ManyContinuedLinesJoinInOnePass) {
  std::string content;
  for (int i = 0; i < 100000; ++i) content += "ab^\r\n";
  content += "end\r\n";
  auto lines = sgbatch::batchLines(content);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 100000u * 3 + 3);
  EXPECT_EQ(lines[0].substr(0, 6), "ab^ab^");
}
