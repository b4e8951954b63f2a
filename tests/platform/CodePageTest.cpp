#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageTest, RoundTripsGbkThroughUtf16) {
  const std::string gbk =
      "\xC6\xC0\xC2\xDB"
      "a";  // 评论a
  const std::u16string wide = platform::DecodeCodePage(gbk, platform::kLocalCodePage);
  EXPECT_EQ(wide, u"评论a");
  EXPECT_EQ(platform::EncodeCodePage(wide, platform::kLocalCodePage), gbk);
}

TEST(CodePageTest, UnrepresentableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(platform::EncodeCodePage(u"a\U0001F600b\u0E01", platform::kLocalCodePage), "a?b?");
}

TEST(CodePageTest, InvalidBytesAreSubstitutedNotDropped) {
  const std::u16string wide = platform::DecodeCodePage(
      "a\xFF"
      "b",
      platform::kLocalCodePage);
  ASSERT_EQ(wide.size(), 3U);
  EXPECT_EQ(wide[0], u'a');
  EXPECT_EQ(wide[2], u'b');
}

TEST(CodePageTest, LargeInputsConvertWhole) {
  const std::string big(3 * 1024 * 1024, 'x');
  EXPECT_EQ(platform::EncodeCodePage(platform::DecodeCodePage(big, platform::kUtf8),
                                     platform::kLocalCodePage),
            big);
}

TEST(CodePageTest, UnknownCodePageGivesNothing) {
  EXPECT_TRUE(platform::DecodeCodePage("abc", "no-such-code-page").empty());
  EXPECT_TRUE(platform::EncodeCodePage(u"abc", "no-such-code-page").empty());
}

}  // namespace
