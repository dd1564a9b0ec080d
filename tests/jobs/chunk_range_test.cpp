// Offset files and the substitution of their range for the line's placeholder.
#include <gtest/gtest.h>

#include "jobs/chunk_range.h"
#include "support/test_system.h"
#include "support/working_folder.h"

using namespace sg::jobs;
using sg::test::writeFile;

namespace {

const std::string kEntry = "folder \"W\" name \"m\" normal north automirror rectangle fileminx filemaxx fileminz filemaxz ";

TEST(OffsetFile, PrefixesExactlyAsWrittenAndTheLastLineWins) {
  auto r = parseOffsetLines({"MinX: -12", "MaxX: 30", "minZ: 99", "MinZ:-7", "MinZ: -5", "MaxZ: 18",
                             "MaxZ: 19", "Other: 1", "MinX:", ""});
  EXPECT_EQ(r.minx, "-12");
  EXPECT_EQ(r.maxx, "30");
  EXPECT_EQ(r.minz, "-5");
  EXPECT_EQ(r.maxz, "19");
  // Values are text as they stand: trailing blanks, words, any length.
  std::string longValue(100000, '7');
  auto v = parseOffsetLines({"MaxX: 30  ", "MinX: abc", "MinZ: " + longValue, "MaxZ: "});
  EXPECT_EQ(v.maxx, "30  ");
  EXPECT_EQ(v.minx, "abc");
  EXPECT_EQ(v.minz, longValue);
  EXPECT_EQ(v.maxz, "");
}

TEST(OffsetFile, MissingFileGivesZerosAndPartialFileKeepsTheRestAtZero) {
  EXPECT_EQ(loadChunkRange(kEntry, "m"),
            "folder \"W\" name \"m\" normal north automirror rectangle 0 0 0 0 ");
  writeFile("mOffset.txt", "MinX: -12\r\nMaxX: 30  \r\n");
  EXPECT_EQ(loadChunkRange(kEntry, "m"),
            "folder \"W\" name \"m\" normal north automirror rectangle -12 30   0 0 ");
}

TEST(OffsetFile, SpacedKeywordSurvivesAndOnlyThePlaceholderIsReplaced) {
  writeFile("mOffset.txt", "MinX: 1\nMaxX: 2\nMinZ: 3\nMaxZ: 4\n");
  EXPECT_EQ(loadChunkRange("spacedrectangle fileminx filemaxx fileminz filemaxz ", "m"),
            "spacedrectangle 1 2 3 4 ");
  // A manual range holds no placeholder and is left as typed.
  EXPECT_EQ(loadChunkRange("rectangle 5 -5 3 -3 ", "m"), "rectangle 5 -5 3 -3 ");
  // The match is exact and case-sensitive.
  EXPECT_EQ(substituteChunkRange("Rectangle fileminx filemaxx fileminz filemaxz ", {}),
            "Rectangle fileminx filemaxx fileminz filemaxz ");
}

TEST(OffsetFile, LookedUpByTheMapNameAndFoundInAnotherLetterCase) {
  writeFile("otherOffset.txt", "MinX: 9\n");
  EXPECT_EQ(readOffsetFile("m").minx, "0");
  writeFile("MOFFSET.TXT", "MinX: 8\n");
  EXPECT_EQ(readOffsetFile("m").minx, "8");
  EXPECT_EQ(offsetFileName("my map"), "my mapOffset.txt");
}

TEST(OffsetFile, AFileThatExistsButCannotBeReadEndsTheRequest) {
  // A link to itself: the lookup fails, which counts as present, and reading fails.
  if (!sg::test::linkToItself("mOffset.txt")) GTEST_SKIP() << "no symbolic links here";
  EXPECT_THROW(loadChunkRange(kEntry, "m"), OffsetFileUnreadable);
}

}  // namespace
