#include "collector/TagStripper.h"

#include <gtest/gtest.h>

#include "support/TestText.h"

namespace {

struct StripCase {
  const char* name;
  std::string markup;
  std::string expected;
  friend void PrintTo(const StripCase& c, std::ostream* os) { *os << c.name; }
};

class TagStripperTest : public testing::TestWithParam<StripCase> {};

TEST_P(TagStripperTest, RemovesEveryTag) {
  const collector::TagStripper stripper;
  EXPECT_EQ(stripper.Strip(GetParam().markup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, TagStripperTest,
    testing::Values(
        StripCase{"no tags", "plain text", "plain text"},
        StripCase{"tags with attributes", "a<IMG SRC=\"x\" title=\"[y]\">b<a href=\"/n\">@c</a>",
                  "ab@c"},
        StripCase{"line breaks inside a tag", "a<img\r\nsrc=x\n>b", "ab"},
        StripCase{"<> needs a character between", "a<>b", "a<>b"},
        StripCase{"the first > after one character closes", "a<>>b", "ab"},
        StripCase{"nearest closing bracket", "<a>x>y", "x>y"},
        StripCase{"unclosed tag stays", "a<b", "a<b"},
        StripCase{"GBK text between tags", test::Gbk("<b>评论</b>：好"), test::Gbk("评论：好")},
        // 😀 as GB18030 keeps its four bytes.
        StripCase{"GB18030 four-byte characters", "<i>\x94\x39\xFC\x36</i>", "\x94\x39\xFC\x36"}));

TEST(TagStripperTest, HandlesCommentsOfMegabytes) {
  const collector::TagStripper stripper;
  std::string manyTags;
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    manyTags += "<img src=\"face.gif\" title=\"[x]\">word ";
    expected += "word ";
  }
  EXPECT_EQ(stripper.Strip(manyTags), expected);

  // One tag that never closes, then megabytes of opening brackets: nothing matches.
  const std::string unclosed = "<" + std::string(8 << 20, '<');
  EXPECT_EQ(stripper.Strip(unclosed), unclosed);

  // A tag of megabytes.
  EXPECT_EQ(stripper.Strip("a<" + std::string(8 << 20, 'x') + ">b"), "ab");
}

}  // namespace
