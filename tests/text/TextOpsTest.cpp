#include "text/TextOps.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/TestText.h"

namespace {

using test::Gbk;
using text::Index;
using text::Text;
using text::TextList;

constexpr Index kHuge = std::numeric_limits<Index>::max();
constexpr Index kHugeNegative = std::numeric_limits<Index>::min();

// 0xB0 0xA1 is the character 啊; its trail byte 0xA1 must never start a match.
const Text kAhThenA =
    "\xB0\xA1"
    "A";

struct FindCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  Text needle;
  Index start;
  bool ignoreCase;
  Index expected;
};

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, GivesTheFirstMatchAtACharacterStart) {
  const FindCase& c = GetParam();
  EXPECT_EQ(text::Find(c.text, c.needle, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTest,
    testing::Values(FindCase{"first", "abcabc", "c", 1, false, 3},
                    FindCase{"fromStart", "abcabc", "c", 4, false, 6},
                    FindCase{"pastLastMatch", "abcabc", "c", 7, false, -1},
                    FindCase{"caseCounts", "abc", "B", 1, false, -1},
                    FindCase{"caseIgnored", "abc", "B", 1, true, 2},
                    FindCase{"emptyNeedleGivesOne", "abcdef", "", 3, false, 1},
                    FindCase{"emptyNeedleEmptyText", "", "", 1, false, -1},
                    FindCase{"trailByteNeverStarts", kAhThenA, "\xA1", 1, false, -1},
                    FindCase{"trailByteNotFoldedEither", "\xB0\x41", "\xB0\x61", 1, true, -1},
                    FindCase{"walkStartsAtStartByte", kAhThenA,
                             "\xA1"
                             "A",
                             2, false, 2},
                    FindCase{"needleLongerThanText", "ab", "abc", 1, false, -1},
                    FindCase{"startBelowOne", "abc", "a", kHugeNegative, false, 1},
                    FindCase{"startFarBeyond", "abc", "a", kHuge, false, -1},
                    FindCase{"loneLeadByteAtEnd", "a\xB0", "\xB0", 1, false, 2}),
    [](const auto& info) { return info.param.name; });

struct FindLastCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const FindLastCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  Text needle;
  std::optional<Index> limit;
  Index expected;
};

class FindLastTest : public testing::TestWithParam<FindLastCase> {};

TEST_P(FindLastTest, GivesTheLastMatchEndingBeforeTheLimit) {
  const FindLastCase& c = GetParam();
  EXPECT_EQ(text::FindLast(c.text, c.needle, c.limit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindLastTest,
    testing::Values(FindLastCase{"noLimit", "abcabc", "abc", std::nullopt, 4},
                    FindLastCase{"secondDoesNotFit", "abcabc", "abc", 6, 1},
                    FindLastCase{"secondFits", "abcabc", "abc", 7, 4},
                    FindLastCase{"limitOne", "abcabc", "abc", 1, -1},
                    FindLastCase{"limitBelowOne", "abcabc", "abc", -5, -1},
                    FindLastCase{"limitBeyond", "abcabc", "abc", kHuge, 4},
                    FindLastCase{"overlapping", "aaaa", "aa", std::nullopt, 3},
                    FindLastCase{"emptyNeedle", "abc", "", std::nullopt, 1},
                    FindLastCase{"emptyNeedleEmptyText", "", "", std::nullopt, -1},
                    FindLastCase{"trailByte", kAhThenA, "\xA1", std::nullopt, -1}),
    [](const auto& info) { return info.param.name; });

struct ReplaceCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  Text find;
  Text replacement;
  Index count;
  bool caseSensitive;
  Text expected;
};

class ReplaceTextTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextTest, ReplacesWithoutOverlapOrRescan) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(text::ReplaceText(c.text, c.find, c.replacement, c.count, c.caseSensitive), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTextTest,
    testing::Values(ReplaceCase{"ignoringCase", "aXbxc", "x", "-", -1, false, "a-b-c"},
                    ReplaceCase{"exactCase", "aXbxc", "x", "-", -1, true, "aXb-c"},
                    ReplaceCase{"countOne", "aXbxc", "x", "-", 1, false, "a-bxc"},
                    ReplaceCase{"noOverlap", "aaa", "aa", "a", -1, true, "aa"},
                    ReplaceCase{"noRescan", "ab", "a", "aa", -1, true, "aab"},
                    ReplaceCase{"countZero", "aaa", "a", "b", 0, true, "aaa"},
                    ReplaceCase{"emptyFind", "aaa", "", "b", -1, true, "aaa"},
                    ReplaceCase{"emptyText", "", "a", "b", -1, true, ""},
                    ReplaceCase{"trailByteUntouched",
                                "\x95\x5C"
                                "\\u",
                                "\\u", "%u", -1, true,
                                "\x95\x5C"
                                "%u"},
                    // After a match that ends in a lead byte the walk resumes after the match,
                    // not a character later.
                    ReplaceCase{"resumesAfterMatch",
                                "a\xB0"
                                "a\xB0",
                                "a\xB0", "-", -1, true, "--"}),
    [](const auto& info) { return info.param.name; });

TEST(ReplaceRangeTest, CutsBytesAndClipsTheRange) {
  EXPECT_EQ(text::ReplaceRange("abcdef", 2, 3, "X"), "aXef");
  EXPECT_EQ(text::ReplaceRange("abc", 0, 1, "X"), "Xbc");
  EXPECT_EQ(text::ReplaceRange("abc", 10, 5, "X"), "abcX");
  EXPECT_EQ(text::ReplaceRange("abc", 2, kHuge), "a");
  EXPECT_EQ(text::ReplaceRange("abc", 2, -1, "X"), "aXbc");
  EXPECT_EQ(text::ReplaceRange("abc", kHugeNegative, 1), "bc");
}

struct SplitCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  Text delimiter;
  TextList expected;
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, KeepsInnerEmptyPiecesAndDropsAnEmptyLastOne) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(text::Split(c.text, c.delimiter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitTest,
    testing::Values(SplitCase{"emptyText", "", ",", {}},
                    SplitCase{"innerEmpty", "a,,b", ",", {"a", "", "b"}},
                    SplitCase{"trailingDelimiter", "a,b,", ",", {"a", "b"}},
                    SplitCase{"leadingDelimiter", ",a", ",", {"", "a"}},
                    SplitCase{"noDelimiter", "abc", ",", {"abc"}},
                    SplitCase{"emptyDelimiter", "a,b", "", {"a,b"}},
                    SplitCase{"crlfLines", "a\r\nb\r\n", "\r\n", {"a", "b"}},
                    SplitCase{"crlfEmptyLine", "a\r\n\r\nb", "\r\n", {"a", "", "b"}},
                    SplitCase{"onlyDelimiter", ",", ",", {""}},
                    SplitCase{"caseCounts", "aXbxc", "x", {"aXb", "c"}},
                    SplitCase{"trailByteIsNoDelimiter", "\xB0|x|y", "|", {"\xB0|x", "y"}}),
    [](const auto& info) { return info.param.name; });

TEST(TrimTest, RemovesAsciiAndIdeographicSpacesOnly) {
  EXPECT_EQ(text::Trim(Gbk("\u3000 ab\t")), "ab\t");
  EXPECT_EQ(text::Trim(Gbk(" \u3000a b\u3000 ")), "a b");
  EXPECT_EQ(text::Trim("\r\nab \n"), "\r\nab \n");
  EXPECT_EQ(text::Trim("   "), "");
  EXPECT_EQ(text::Trim(""), "");
  // 0xB0 0xA1 followed by 0xA1: the last 0xA1 is a lone byte, not half of a space.
  EXPECT_EQ(text::Trim("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
  // After a leading ideographic space, 0xA1 and the space after it form one character.
  EXPECT_EQ(text::Trim("\xA1\xA1\xA1 x"), "\xA1 x");
}

TEST(ToLowerTest, FoldsAsciiCapitalsButNotTrailBytes) {
  EXPECT_EQ(text::ToLower("AbC1"), "abc1");
  EXPECT_EQ(text::ToLower("\xB0\x41"
                          "A"),
            "\xB0\x41"
            "a");
}

TEST(CompareTextTest, OrdersBytesUnsignedAndFoldsCaseOnRequest) {
  EXPECT_LT(text::CompareText("abc", "abd", true), 0);
  EXPECT_GT(text::CompareText("\xB0\xA1", "a", true), 0);  // unsigned bytes
  EXPECT_LT(text::CompareText("ab", "abc", true), 0);
  EXPECT_EQ(text::CompareText("", "", true), 0);
  EXPECT_NE(text::CompareText("ABC", "abc", true), 0);
  EXPECT_EQ(text::CompareText("ABC", "abc", false), 0);
  EXPECT_NE(text::CompareText("\xB0\x41", "\xB0\x61", false), 0);  // trail bytes stay exact
}

TEST(ByteCutTest, LeftRightAndMidClipToTheText) {
  EXPECT_EQ(text::Left("abc", 5), "abc");
  EXPECT_EQ(text::Left("abc", 0), "");
  EXPECT_EQ(text::Left("abc", -1), "");
  EXPECT_EQ(text::Left("abc", 2), "ab");
  EXPECT_EQ(text::Right("abc", 2), "bc");
  EXPECT_EQ(text::Right("abc", kHuge), "abc");
  EXPECT_EQ(text::Right("abc", kHugeNegative), "");
  EXPECT_EQ(text::Mid("abcdef", 3, 2), "cd");
  EXPECT_EQ(text::Mid("abc", 3, 10), "c");
  EXPECT_EQ(text::Mid("abc", 0, 2), "");
  EXPECT_EQ(text::Mid("abc", 4, 1), "");
  EXPECT_EQ(text::Mid("abc", 1, kHuge), "abc");
  EXPECT_EQ(text::Mid("abc", 2, 0), "");
  EXPECT_EQ(text::Mid("\xB0\xA1", 2, 1), "\xA1");  // bytes, not characters
}

TEST(SpacesTest, MakesSpacesWithinTheLimit) {
  EXPECT_EQ(text::Spaces(3), "   ");
  EXPECT_EQ(text::Spaces(0), "");
  EXPECT_EQ(text::Spaces(kHuge), "");
}

TEST(ConcatTest, JoinsInOrder) {
  EXPECT_EQ(text::Concat("a", Text("b"), text::TextView("c")), "abc");
  EXPECT_EQ(text::Length(text::Concat()), 0);
}

}  // namespace
