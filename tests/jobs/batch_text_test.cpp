// User text in batch lines: carets outside quotes, doubled percent signs, closing quotes kept.
#include <gtest/gtest.h>

#include "jobs/batch_text.h"

using namespace sg::jobs;

namespace {

TEST(BatchText, PlainTextIsUnchanged) {
  const std::string plain = "folder \"New World\" name \"base (1)!\" normal north automirror ";
  EXPECT_EQ(batchOptionLine(plain), plain);
  EXPECT_EQ(batchBare("C:\\maps\\base_normal_north.png"), "C:\\maps\\base_normal_north.png");
  EXPECT_EQ(batchArgument("base.png"), "base.png");
}

TEST(BatchText, BareTextEscapesTheCommandCharactersAndPercent) {
  EXPECT_EQ(batchBare("a & b | c < d > e ^ f % g"), "a ^& b ^| c ^< d ^> e ^^ f %% g");
  EXPECT_EQ(batchBare("50%"), "50%%");
  EXPECT_EQ(batchQuoted("a & b %x%"), "a & b %%x%%");
}

TEST(BatchText, ArgumentKeepsItsClosingQuote) {
  EXPECT_EQ(batchArgument("C:\\saves\\"), "C:\\saves\\\\");
  EXPECT_EQ(batchArgument("C:\\saves\\\\"), "C:\\saves\\\\\\\\");
  EXPECT_EQ(batchArgument("/home/me/saves/"), "/home/me/saves/");
  EXPECT_EQ(batchArgument("a\\b"), "a\\b");  // inner backslashes stay single
}

TEST(BatchText, OptionLineEscapesEachPieceByWhereItStands) {
  EXPECT_EQ(batchOptionLine("custom \"D:\\a&b\\\" name \"50% & more\" onlylayers 1 1&x rectangle 0|1 0 0 0 "),
            "custom \"D:\\a&b\\\\\" name \"50%% & more\" onlylayers 1 1^&x rectangle 0^|1 0 0 0 ");
  // An unclosed quote runs to the end of the line.
  EXPECT_EQ(batchOptionLine("name \"a&b"), "name \"a&b");
  EXPECT_EQ(batchOptionLine(""), "");
}

}  // namespace
