#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "support/test_system.h"
#include "support/working_folder.h"

using namespace sg;
using sg::test::writeFile;

TEST(FileExists, NormalFilesOnlyAndWithoutRegardToCase) {
  writeFile("Level.dat", "x");
  std::filesystem::create_directory("folder");
  EXPECT_TRUE(files::FileExists("Level.dat"));
  EXPECT_TRUE(files::FileExists("level.DAT"));
  EXPECT_FALSE(files::FileExists("folder"));
  EXPECT_FALSE(files::FileExists("missing.txt"));
  EXPECT_FALSE(files::FileExists(""));
  writeFile("w/Sub/level.dat", "x");
  EXPECT_TRUE(files::FileExists("w/Sub/Level.dat"));
  EXPECT_TRUE(files::FileExists("w\\Sub\\Level.dat"));  // either separator
  // Windows matches every part without regard to case; elsewhere only the last part is.
  EXPECT_EQ(files::FileExists("w/sub/level.dat"), files::separator() == '\\');
}

// Hidden files are hidden by their attribute on Windows and by a leading dot elsewhere; system
// files are not there for the program either.
TEST(FileExists, HiddenAndSystemFilesAreNotThere) {
  writeFile(".hidden", "x");
  writeFile("h.txt", "x");
  writeFile("s.txt", "x");
  EXPECT_TRUE(files::FileExists("h.txt"));
  if (files::separator() == '/') {
    EXPECT_FALSE(files::FileExists(".hidden"));
    return;
  }
  ASSERT_TRUE(test::setHiddenAttribute("h.txt"));
  ASSERT_TRUE(test::setSystemAttribute("s.txt"));
  EXPECT_FALSE(files::FileExists("h.txt"));
  EXPECT_FALSE(files::FileExists("S.TXT"));
  EXPECT_FALSE(files::FileExists("a<b.txt"));  // a name no file can have
}

TEST(Folders, ListSubfoldersAndFilesInNameOrder) {
  for (auto n : {"b", "A", "c"}) std::filesystem::create_directory(n);
  writeFile("z.txt", "");
  writeFile("m.txt", "");
  auto subs = files::subfolders(".");
  ASSERT_TRUE(subs);
  EXPECT_EQ(*subs, (std::vector<std::string>{test::native("./A"), test::native("./b"), test::native("./c")}));
  auto fs = files::filesOf(".");
  ASSERT_TRUE(fs);
  EXPECT_EQ(*fs, (std::vector<std::string>{"m.txt", "z.txt"}));
  EXPECT_FALSE(files::subfolders("missing"));
  EXPECT_FALSE(files::subfolders("z.txt"));
}

TEST(TextFiles, LinesEndInCrLfLfOrALoneCr) {
  writeFile("t.txt", "a\r\nb\nc\rd");
  EXPECT_EQ(*files::readLines("t.txt"), (std::vector<std::string>{"a", "b", "c", "d"}));
  writeFile("e.txt", "a\r\n\r\n");
  EXPECT_EQ(*files::readLines("e.txt"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(*files::readFirstLine("t.txt"), "a");
  writeFile("empty.txt", "");
  EXPECT_FALSE(files::readFirstLine("empty.txt"));
  EXPECT_FALSE(files::readLines("missing.txt"));
  std::filesystem::create_directory("dir.txt");
  EXPECT_FALSE(files::readLines("dir.txt"));
}

TEST(TextFiles, WrittenAndAppendedLinesEndInCrLf) {
  ASSERT_TRUE(files::writeLines("o.txt", {"one", "two"}));
  ASSERT_TRUE(files::appendLine("o.txt", "three"));
  EXPECT_EQ(test::readFile("o.txt"), "one\r\ntwo\r\nthree\r\n");
  ASSERT_TRUE(files::appendLine("new.txt", ""));
  EXPECT_EQ(test::readFile("new.txt"), "\r\n");
  std::filesystem::create_directory("adir");
  EXPECT_FALSE(files::writeLines("adir", {"x"}));
  EXPECT_FALSE(files::appendLine("adir", "x"));
}

TEST(TextFiles, AtomicReplaceKeepsTheOldContentOnFailure) {
  writeFile("s.dat", "old");
  ASSERT_TRUE(files::replaceAtomically("s.dat", "new"));
  EXPECT_EQ(test::readFile("s.dat"), "new");
  // The temporary name is occupied by a folder: the write fails and the old file stays.
  std::filesystem::create_directory("s.dat.tmp~");
  EXPECT_FALSE(files::replaceAtomically("s.dat", "newer"));
  EXPECT_EQ(test::readFile("s.dat"), "new");
}

TEST(Paths, LastComponentTakesEitherSeparator) {
  EXPECT_EQ(files::lastComponent("C:\\a/b\\World"), "World");
  EXPECT_EQ(files::lastComponent("World"), "World");
  EXPECT_EQ(files::lastComponent("a/"), "");
}

// Files larger than any real one of their kind are refused unread, and a folder of many
// entries comes back in name order.
TEST(TextFiles, LimitsAreKeptToTheByte) {
  writeFile("exact.txt", std::string(1000, 'a'));
  ASSERT_TRUE(files::readAll("exact.txt", 1000));
  EXPECT_EQ(files::readAll("exact.txt", 1000)->size(), 1000u);
  EXPECT_FALSE(files::readAll("exact.txt", 999));
  writeFile("lines.txt", std::string(files::kMaxTextFileBytes + 1, '\n'));
  EXPECT_FALSE(files::readLines("lines.txt"));
  writeFile("lines.txt", "a\r\nb\r\n");
  EXPECT_EQ(files::readLines("lines.txt"), (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(files::readAll("no-such-file"));
}

TEST(Folders, ManyEntriesComeInNameOrder) {
  std::filesystem::create_directories("many");
  for (int i = 999; i >= 0; --i) std::filesystem::create_directory("many/w" + std::to_string(i));
  writeFile("many/file", "x");
  auto folders = files::subfolders("many");
  ASSERT_TRUE(folders);
  ASSERT_EQ(folders->size(), 1000u);
  EXPECT_TRUE(std::is_sorted(folders->begin(), folders->end()));
  EXPECT_EQ(folders->front(), std::string("many") + files::separator() + "w0");
  EXPECT_EQ(files::filesOf("many"), std::vector<std::string>{"file"});
}
