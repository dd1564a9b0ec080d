#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/text.h"

using namespace sg::text;

TEST(NumericValue, TakesTheLongestLeadingNumberAfterBlanks) {
  EXPECT_EQ(numericValue("  42abc"), 42);
  EXPECT_EQ(numericValue("-5"), -5);
  EXPECT_EQ(numericValue("+7"), 7);
  EXPECT_EQ(numericValue("2.50"), 2.5);
  EXPECT_EQ(numericValue(".5"), 0.5);
  EXPECT_EQ(numericValue("3."), 3);
  EXPECT_EQ(numericValue("1.2.3"), 1.2);
  EXPECT_EQ(numericValue("02"), 2);
}

TEST(NumericValue, IsZeroWithoutALeadingNumber) {
  EXPECT_EQ(numericValue(""), 0);
  EXPECT_EQ(numericValue("Text1"), 0);
  EXPECT_EQ(numericValue("-"), 0);
  EXPECT_EQ(numericValue("."), 0);
  EXPECT_EQ(numericValue("\t5"), 0);  // only blanks are skipped
  EXPECT_FALSE(std::signbit(numericValue("-0")));
  EXPECT_GT(numericValue(std::string(400, '9')), 1e300);  // huge texts do not fail
}

TEST(PlainDecimal, ShortestFormWithoutExponentOrLeadingBlank) {
  EXPECT_EQ(plainDecimal(3), "3");
  EXPECT_EQ(plainDecimal(2.5), "2.5");
  EXPECT_EQ(plainDecimal(-5), "-5");
  EXPECT_EQ(plainDecimal(0), "0");
  EXPECT_EQ(plainDecimal(-0.0), "0");
  EXPECT_EQ(plainDecimal(1e20), "100000000000000000000");
  EXPECT_EQ(plainDecimal(0.0001), "0.0001");
  EXPECT_EQ(plainDecimal(1.5e-7), "0.00000015");
  EXPECT_EQ(plainDecimal(0.1), "0.1");
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(roundHalfEven(0.5), 0);
  EXPECT_EQ(roundHalfEven(1.5), 2);
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(2.6), 3);
  EXPECT_EQ(integerValue("1e400"), 1);  // the number ends before the letter
  EXPECT_EQ(integerValue(std::string(30, '9')), std::numeric_limits<int>::max());
}

TEST(Blanks, TrimOnlySpacesAndSplitAtEverySingleSpace) {
  EXPECT_EQ(trimBlanks("  a b  "), "a b");
  EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
  EXPECT_EQ(trimBlanks("   "), "");
  EXPECT_TRUE(splitBlanks("").empty());
  EXPECT_EQ(splitBlanks("a  b"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitBlanks("a "), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(splitBlanks(" "), (std::vector<std::string>{"", ""}));
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanning) {
  EXPECT_EQ(replaceAll("a%b%%", "%", "%%"), "a%%b%%%%");
  EXPECT_EQ(replaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(removeChar("a\"b\"", '"'), "ab");
}
