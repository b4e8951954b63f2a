#include "text/EscapeDecoding.h"

#include <gtest/gtest.h>

#include "support/TestText.h"

namespace {

using test::Gbk;
using text::Text;

struct DecodeCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
  Text escaped;
  Text expected;
};

class DecodeEscapesTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeEscapesTest, DecodesLikeTheScriptEngine) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(text::DecodeEscapes(c.escaped), c.expected)
      << "decoded: " << test::Utf8(text::DecodeEscapes(c.escaped));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeEscapesTest,
    testing::Values(
        DecodeCase{"unicodeEscapes", "\\u8bc4\\u8bba", Gbk("评论")},
        DecodeCase{"unicodeEscapesCapitalHex", "\\u8BC4", Gbk("评")},
        DecodeCase{"escapedSlashes", "\\/u\\/123", "/u/123"},
        DecodeCase{"escapedQuote", "<a href=\\\"x\\\">", "<a href=\"x\">"},
        DecodeCase{"apostrophesSurvive", "it's 'ok'", "it's 'ok'"},
        DecodeCase{"crlfSurvives", "a\r\nb\r\n", "a\r\nb\r\n"},
        DecodeCase{"percentEscapes", "a%20b%41", "a bA"},
        DecodeCase{"percentUnicode", "%u8bc4%", Gbk("评%")},
        DecodeCase{"hexOctalAndOther", "\\x41\\101\\q", "AAq"},
        DecodeCase{"controlEscapes", "\\b\\t\\n\\f\\r", "\b\t\n\f\r"},
        DecodeCase{"verticalTabIsLetterV", "\\v", "v"},
        DecodeCase{"capitalUIsLetterU", "\\U0041", "U0041"},
        DecodeCase{"doubleBackslash", "a\\\\b", "a\\b"},
        DecodeCase{"octalStopsAt0377", "\\400\\1012", " 0A2"},
        DecodeCase{"rightQuoteBecomesApostrophe", Gbk("’"), "'"},
        DecodeCase{"standInBecomesCrlf", "a{$}b", "a\r\nb"}, DecodeCase{"loneLineFeed", "a\nb", ""},
        DecodeCase{"loneCarriageReturnInside", "a\rb", ""},
        DecodeCase{"leadingCarriageReturnDropped", "\rab", "ab"},
        DecodeCase{"trailingBackslash", "ab\\", ""},
        DecodeCase{"escapedBackslashAtEnd", "ab\\\\", "ab\\"}, DecodeCase{"empty", "", ""},
        DecodeCase{"gbkPassesThrough", Gbk("中文 text"), Gbk("中文 text")},
        DecodeCase{"trailBackslashIsNoEscape",
                   "\x95\\"
                   "n",
                   "\x95\\"
                   "n"},
        DecodeCase{"unrepresentableBecomesQuestionMark", "\\ud83d\\ude00|\\u0e01", "?|?"},
        DecodeCase{"loneSurrogate", "\\ud83dx", "?x"},
        DecodeCase{"lineContinuation", "a\\\nb", "ab"},
        // A decoded NUL is dropped: ending the text there would lose every user listed after it.
        DecodeCase{"percentNulDropped", "ab%00cd", "abcd"},
        DecodeCase{"backslashNulDropped", "ab\\0cd\\x00e%u0000f", "abcdef"},
        // Truncated escapes are read as far as they go, never past the end.
        DecodeCase{"truncatedHex", "\\x4", "x4"}, DecodeCase{"truncatedUnicode", "\\u12", "%u12"},
        DecodeCase{"truncatedPercent", "%4", "%4"}, DecodeCase{"percentAtEnd", "50%", "50%"},
        DecodeCase{"loneBackslash", "\\", ""},
        DecodeCase{"resolvedPercentIsScannedOnce", "\\x2541", "A"},
        DecodeCase{"unescapeResultIsNotRescanned", "%2541", "%41"}),
    [](const auto& info) { return info.param.name; });

TEST(DecodeEscapesTest, DecodesAListingFragment) {
  const Text escaped =
      "{\"totalpage\":3,\"html\":\"<dl class=\\\"comment_list\\\"><dd><a href=\\\"\\/u\\/42\\\">"
      "\\u5f20\\u4e09<\\/a>\\uff1a\\u6d4b\\u8bd5 it's<\\/dd><\\/dl>\\n\"}";
  EXPECT_EQ(test::Utf8(text::DecodeEscapes(escaped)),
            "{\"totalpage\":3,\"html\":\"<dl class=\"comment_list\"><dd><a href=\"/u/42\">"
            "张三</a>：测试 it's</dd></dl>\n\"}");
}

TEST(DecodeEscapesTest, InvalidGbkBytesNeverCrash) {
  const Text garbage = "\xFF\xFF\x80\x81\\x\xFE";
  const Text decoded = text::DecodeEscapes(garbage);
  EXPECT_EQ(decoded.find('\0'), Text::npos);
}

}  // namespace
