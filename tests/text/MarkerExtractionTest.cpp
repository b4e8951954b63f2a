#include "text/MarkerExtraction.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/TestText.h"
#include "text/TextOps.h"

namespace {

using test::Gbk;
using text::Index;
using text::Text;

struct BetweenCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const BetweenCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  Text startMarker;
  Text endMarker;
  Index startShift;
  Index endShift;
  Index positionIn;
  bool reverse;
  bool decodeQuotes;
  Text expected;
  Index positionOut;
};

class TextBetweenTest : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTest, CutsBetweenMarkersAndMovesThePosition) {
  const BetweenCase& c = GetParam();
  Index position = c.positionIn;
  EXPECT_EQ(text::TextBetween(c.text, c.startMarker, c.endMarker, c.startShift, c.endShift,
                              &position, c.reverse, c.decodeQuotes),
            c.expected);
  EXPECT_EQ(position, c.positionOut);
}

constexpr Index kHuge = std::numeric_limits<Index>::max();
constexpr Index kHugeNegative = std::numeric_limits<Index>::min();
const Text kMid = "mid=\"123\"&x";

INSTANTIATE_TEST_SUITE_P(
    Cases, TextBetweenTest,
    testing::Values(
        BetweenCase{"simple", "a<b>c</b>d", "<b>", "</b>", 0, 0, 0, false, false, "c", 10},
        BetweenCase{"markersIgnoreCase", "<META charset=x>", "<meta", ">", 0, 0, 0, false, false,
                    " charset=x", 17},
        BetweenCase{"emptyStartMarker", "abc def", "", " ", 0, 0, 0, false, false, "abc", 13},
        BetweenCase{"emptyStartMarkerAgain", "abc def", "", " ", 0, 0, 13, false, false, "", 13},
        BetweenCase{"emptyEndMarker", "k=v", "=", "", 0, 0, 0, false, false, "v", 12},
        BetweenCase{"bothEmpty", "whole", "", "", 0, 0, 0, false, false, "whole", 22},
        BetweenCase{"quotesDecoded", kMid, "mid=''", "''", 0, 0, 0, false, true, "123", 10},
        BetweenCase{"quotesNotDecoded", kMid, "mid=''", "''", 0, 0, 0, false, false, "", 0},
        BetweenCase{"endMarkerMissing", "a<b>c", "<b>", "</b>", 0, 0, 1, false, false, "", 1},
        BetweenCase{"startMarkerMissing", "abc", "<b>", "</b>", 0, 0, 0, false, false, "", 0},
        BetweenCase{"adjacentMarkersMovePosition", "<b></b>", "<b>", "</b>", 0, 0, 0, false, false,
                    "", 8},
        BetweenCase{"shifts", "a<b>xyz</b>", "<b>", "</b>", 1, 1, 0, false, false, "y", 12},
        BetweenCase{"negativeShiftReachesBack", "a<b>x</b>", "<b>", "</b>", -2, -1, 0, false, false,
                    "b>x<", 10},
        BetweenCase{"hugeShifts", "a<b>x</b>", "<b>", "</b>", kHuge, kHugeNegative, 0, false, false,
                    "", 10},
        BetweenCase{"hugeNegativeShifts", "a<b>x</b>", "<b>", "</b>", kHugeNegative, kHuge, 0,
                    false, false, "", 10},
        BetweenCase{"positionBeyondEnd", "a<b>x</b>", "<b>", "</b>", 0, 0, kHuge, false, false, "",
                    kHuge},
        BetweenCase{"reverseFromEnd", "<b>1</b><b>2</b>", "<b>", "</b>", 0, 0, 0, true, false, "2",
                    9},
        BetweenCase{"reverseBeforePosition", "<b>1</b><b>2</b>", "<b>", "</b>", 0, 0, 9, true,
                    false, "1", 1},
        BetweenCase{"reverseNothingBefore", "<b>1</b><b>2</b>", "<b>", "</b>", 0, 0, 1, true, false,
                    "", 1},
        BetweenCase{"trailByteNeverMatches", "\xB0<b>x</b>", "<b>", "</b>", 0, 0, 0, false, false,
                    "", 0},
        BetweenCase{"emptyText", "", "<b>", "</b>", 0, 0, 0, false, false, "", 0}),
    [](const auto& info) { return info.param.name; });

TEST(TextBetweenTest, WalksRepeatedItemsWithTheReturnedPosition) {
  const Text page = "<li>1</li><li>2</li>";
  Index position = 0;
  EXPECT_EQ(text::TextBetween(page, "<li>", "</li>", 0, 0, &position), "1");
  EXPECT_EQ(position, 11);
  EXPECT_EQ(text::TextBetween(page, "<li>", "</li>", 0, 0, &position), "2");
  EXPECT_EQ(position, 21);
  EXPECT_EQ(text::TextBetween(page, "<li>", "</li>", 0, 0, &position), "");
  EXPECT_EQ(position, 21);
}

TEST(TextBetweenTest, WalksBackwardsBeforeTheLastHit) {
  const Text page = "<li>1</li><li>2</li><li>3</li>";
  Index position = 0;
  Text seen;
  for (Text item;
       !(item = text::TextBetween(page, "<li>", "</li>", 0, 0, &position, true)).empty();) {
    seen += item;
  }
  EXPECT_EQ(seen, "321");
}

TEST(TextBetweenTolerantTest, RetriesWithoutQuotes) {
  const Text em = Gbk("<em class=S_txt2>5分钟前</em>");
  Index position = 0;
  EXPECT_EQ(text::TextBetweenTolerant(em, "<em class=''S_txt2''>", "</em>", &position),
            Gbk("5分钟前"));
  EXPECT_EQ(position, text::Length(em) + 1);
}

TEST(TextBetweenTolerantTest, FirstAttemptWinsEvenWhenEmpty) {
  const Text quoted = "<a href=\"\">";
  Index position = 0;
  EXPECT_EQ(text::TextBetweenTolerant(quoted, "href=''", "''", &position), "");
  EXPECT_EQ(position, 11);
}

TEST(TextBetweenTolerantTest, MissLeavesThePositionAsItCame) {
  Index position = 3;
  EXPECT_EQ(text::TextBetweenTolerant("abc", "<x>", "</x>", &position), "");
  EXPECT_EQ(position, 3);
}

TEST(TextBetweenTolerantTest, MarkerOfOnlyQuotesBecomesTheFirstByte) {
  // The second attempt searches for an empty end marker, which Find reports at position 1:
  // the end lies before the start, so the cut is empty but the position moves.
  Index position = 0;
  EXPECT_EQ(text::TextBetweenTolerant("x=1", "x=", "''", &position), "");
  EXPECT_EQ(position, 1);
}

TEST(TextBetweenTolerantTest, KeepQuotesLeavesApostrophesAlone) {
  Index position = 0;
  EXPECT_EQ(text::TextBetweenTolerant("a''b''", "a''", "''", &position, false, 0, 0, true), "b");
}

TEST(ExpandQuotesTest, TurnsPairsOfApostrophesIntoDoubleQuotes) {
  EXPECT_EQ(text::ExpandQuotes("mid=''"), "mid=\"");
  EXPECT_EQ(text::ExpandQuotes("'''"), "\"'");
  EXPECT_EQ(text::ExpandQuotes("''''"), "\"\"");
  EXPECT_EQ(text::ExpandQuotes("'"), "'");
}

TEST(ContainsAlternativesTest, AnyAndAllModes) {
  EXPECT_TRUE(text::ContainsAlternatives("charset=UTF-8", "x[fg]charset=utf-8", true));
  EXPECT_FALSE(text::ContainsAlternatives("charset=UTF-8", "x[fg]charset=utf-8", false));
  EXPECT_TRUE(text::ContainsAlternatives("abc", "a[fg]C", false));
  EXPECT_FALSE(text::ContainsAlternatives("abc", "", true));
  EXPECT_TRUE(text::ContainsAlternatives("abc", "", false));
  EXPECT_TRUE(text::ContainsAlternatives("abc", "[fg]z", true));  // an empty item is present
  EXPECT_FALSE(text::ContainsAlternatives("", "[fg]z", true));
}

struct ReplaceManyCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const ReplaceManyCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  Text findList;
  Text replaceList;
  bool caseSensitive;
  bool fillFromFirst;
  Text separator;
  Index maxPerItem;
  Text expected;
};

class ReplaceManyTest : public testing::TestWithParam<ReplaceManyCase> {};

TEST_P(ReplaceManyTest, ReplacesEachFindItemInItsOwnPass) {
  const ReplaceManyCase& c = GetParam();
  Text subject = c.text;
  const Text returned = text::ReplaceMany(subject, c.findList, c.replaceList, c.caseSensitive,
                                          c.fillFromFirst, c.separator, c.maxPerItem);
  EXPECT_EQ(returned, c.expected);
  EXPECT_EQ(subject, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceManyTest,
    testing::Values(
        ReplaceManyCase{"removeParentheses", "(a)", "(|)", "", false, false, "|", 0, "a"},
        ReplaceManyCase{"caseIgnored", Gbk("#昵称#:#id#"), Gbk("#昵称#|#ID#"), "Tom|42", false,
                        false, "|", 0, "Tom:42"},
        ReplaceManyCase{"caseSensitive", Gbk("#昵称#:#id#"), Gbk("#昵称#|#ID#"), "Tom|42", true,
                        false, "|", 0, "Tom:#id#"},
        ReplaceManyCase{"extraReplacementsDropped", "#A##B#", "#A#|#B#", "x|y|z", false, false, "|",
                        0, "xy"},
        ReplaceManyCase{"laterPassSeesEarlierResult", "a", "a|b", "b|c", false, false, "|", 0, "c"},
        ReplaceManyCase{"fillFromFirst", "abc", "a|b|c", "X||", false, true, "|", 0, "XXX"},
        ReplaceManyCase{"emptySeparatorIsBar", "ab", "a|b", "1|2", false, false, "", 0, "12"},
        ReplaceManyCase{"otherSeparator", "a|b", "a;|", "1;2", false, false, ";", 0, "12b"},
        ReplaceManyCase{"maxPerItem", "aaa", "a", "b", false, false, "|", 2, "bba"},
        ReplaceManyCase{"emptyFindItemChangesNothing", "ab", "|b", "x|y", false, false, "|", 0,
                        "ay"},
        ReplaceManyCase{"emptyLists", "ab", "", "", false, false, "|", 0, "ab"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
