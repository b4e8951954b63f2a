#include "web/PageDecoding.h"

#include <gtest/gtest.h>

#include <random>

#include "support/TestText.h"

namespace {

const std::string kChineseUtf8 = "中文";              // as UTF-8 bytes in this source file
const std::string kChineseGbk = "\xD6\xD0\xCE\xC4";   // 中文
const std::string kChineseBig5 = "\xA4\xA4\xA4\xE5";  // 中文
const std::string kInvalidUtf8 = "\xC3\x28";          // a lead byte without its continuation

struct DecodeCase {
  const char* name;
  std::string page;
  std::string expected;
  friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class DecodePageTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodePageTextTest, GivesLocalText) {
  EXPECT_EQ(web::DecodePageText(GetParam().page), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodePageTextTest,
    testing::Values(
        DecodeCase{"empty", "", ""},
        DecodeCase{"plain ASCII", "<html>ok</html>", "<html>ok</html>"},
        DecodeCase{"undeclared GBK comes back byte for byte", "<p>" + kChineseGbk + "</p>",
                   "<p>" + kChineseGbk + "</p>"},
        DecodeCase{"undeclared UTF-8", "<p>" + kChineseUtf8 + "</p>", "<p>" + kChineseGbk + "</p>"},
        DecodeCase{"UTF-8 byte-order mark", "\xEF\xBB\xBF" + kChineseUtf8, kChineseGbk},
        DecodeCase{"characters outside GBK as GB18030", "\xF0\x9F\x98\x80", "\x94\x39\xFC\x36"},
        DecodeCase{"UTF-8 meta, quoted", "<head><meta charset=\"utf-8\"></head>" + kInvalidUtf8,
                   "<head><meta charset=\"utf-8\"></head>?("},
        DecodeCase{"UTF-8 meta, unquoted, any case",
                   "<META http-equiv=Content-Type content=\"text/html; CHARSET=Utf-8\">" +
                       kChineseUtf8 + kInvalidUtf8,
                   "<META http-equiv=Content-Type content=\"text/html; CHARSET=Utf-8\">" +
                       kChineseGbk + "?("},
        DecodeCase{"UTF-8 meta, apostrophes", "<meta charset='UTF-8'>" + kInvalidUtf8,
                   "<meta charset='UTF-8'>?("},
        DecodeCase{"byte-order mark and one invalid sequence",
                   "\xEF\xBB\xBF" + kChineseUtf8 + kInvalidUtf8, kChineseGbk + "?("},
        DecodeCase{"one invalid sequence, undeclared, comes back unchanged",
                   kChineseUtf8 + kInvalidUtf8, kChineseUtf8 + kInvalidUtf8},
        DecodeCase{"GBK meta first, UTF-8 meta later",
                   "<meta charset=gbk><meta charset=utf-8>" + kChineseUtf8 + kInvalidUtf8,
                   "<meta charset=gbk><meta charset=utf-8>" + kChineseGbk + "?("},
        DecodeCase{"an empty meta tag ends the search", "<meta><meta charset=utf-8>" + kInvalidUtf8,
                   "<meta><meta charset=utf-8>" + kInvalidUtf8},
        DecodeCase{"only the plain head is searched",
                   "<head><title>t</title></head><meta charset=utf-8>" + kInvalidUtf8,
                   "<head><title>t</title></head><meta charset=utf-8>" + kInvalidUtf8},
        DecodeCase{"a head with attributes makes the whole page the search area",
                   "<head lang=zh></head><meta charset=utf-8>" + kInvalidUtf8,
                   "<head lang=zh></head><meta charset=utf-8>?("},
        DecodeCase{"Big5 meta", "<meta charset=\"Big5\">" + kChineseBig5,
                   "<meta charset=\"Big5\">" + kChineseGbk},
        // 0x8840 exists only in Big5-HKSCS (U+00CA U+0304). Read as Big5 it is unassigned: the
        // strict conversion fails and the lenient one puts one "?" in its place.
        DecodeCase{"Big5-HKSCS unquoted is read as Big5",
                   "<meta charset=Big5-HKSCS>\x88\x40" + kChineseBig5,
                   "<meta charset=Big5-HKSCS>?" + kChineseGbk},
        DecodeCase{"Big5-HKSCS quoted", "<meta charset=\"Big5-HKSCS\">" + kChineseBig5,
                   "<meta charset=\"Big5-HKSCS\">" + kChineseGbk},
        DecodeCase{"UTF-16BE with its mark", "\xFE\xFF\x4E\x2D\x65\x87", kChineseGbk},
        DecodeCase{"UTF-16LE cut inside a character comes back unchanged",
                   "\xFF\xFE"
                   "A",
                   "\xFF\xFE"
                   "A"},
        DecodeCase{"a Ctrl-Z byte does not end an undeclared page",
                   kChineseGbk + "\x1A" + kChineseGbk, kChineseGbk + "\x1A" + kChineseGbk}));

TEST(SniffMetaCharsetTest, FindsTheFirstKnownDeclaration) {
  using web::MetaCharset;
  EXPECT_EQ(web::SniffMetaCharset("<html>"), MetaCharset::None);
  EXPECT_EQ(web::SniffMetaCharset("<meta charset=GB2312><meta charset=big5>"), MetaCharset::Big5);
  EXPECT_EQ(web::SniffMetaCharset("<meta charset='Big5-HKSCS'>"), MetaCharset::Big5Hkscs);
  EXPECT_EQ(web::SniffMetaCharset("<meta charset=big5-hkscs>"), MetaCharset::Big5);
  EXPECT_EQ(web::SniffMetaCharset("<meta charset=utf-8 lang=big5>"), MetaCharset::Utf8);
  EXPECT_EQ(web::SniffMetaCharset("<meta charset=\"utf-8"), MetaCharset::None);
}

TEST(DecodePageTextTest, SurvivesArbitraryBytes) {
  std::mt19937 random(7);
  const std::string prefixes[] = {"",
                                  "\xEF\xBB\xBF",
                                  "\xFF\xFE",
                                  "\xFE\xFF",
                                  "<meta charset=utf-8>",
                                  "<meta charset=big5>",
                                  "<meta charset=\"Big5-HKSCS\">"};
  for (int round = 0; round < 2000; ++round) {
    std::string page = prefixes[round % std::size(prefixes)];
    const int length = static_cast<int>(random() % 64);
    for (int i = 0; i < length; ++i) {
      page += static_cast<char>(1 + random() % 255);
    }
    const text::Text decoded = web::DecodePageText(page);
    EXPECT_EQ(decoded.find('\0'), text::Text::npos);
    EXPECT_EQ(decoded.empty(), page.empty());
  }
}

}  // namespace
