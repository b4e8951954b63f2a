#include "web/LocalConversions.h"

#include <gtest/gtest.h>

#include "support/TestText.h"

namespace {

using test::Gbk;

TEST(LocalConversionsTest, Utf8ToLocal) {
  EXPECT_EQ(web::Utf8ToLocal("a中文"), Gbk("a中文"));
  EXPECT_EQ(web::Utf8ToLocal("a\xF0\x9F\x98\x80"
                             "b"),
            "a?b");                                             // no GBK form
  EXPECT_EQ(web::Utf8ToLocal(std::string("ab\0cd", 5)), "ab");  // ends at NUL
  EXPECT_EQ(web::Utf8ToLocal(""), "");
}

TEST(LocalConversionsTest, LenientUtf8ToLocalSubstitutesAndComposes) {
  EXPECT_EQ(web::LenientUtf8ToLocal("x\xC3(y"), "x?(y");
  // e followed by a combining acute accent becomes the one GBK character é.
  EXPECT_EQ(web::LenientUtf8ToLocal("caf"
                                    "e\xCC\x81"),
            Gbk("café"));
  EXPECT_EQ(web::LenientUtf8ToLocal(std::string("a\0b", 3)), "a");
}

TEST(LocalConversionsTest, Big5ToLocalKeepsWhatFollowsAnUnmappableCharacter) {
  EXPECT_EQ(web::Big5ToLocal("\xA4\xA4\xA4\xE5"), Gbk("中文"));
  // Big5 0xA15A is U+2574, which GBK lacks. It becomes "?"; the rest of the text stays.
  EXPECT_EQ(web::Big5ToLocal("a\xA1\x5A"
                             "b\xA4\xA4"),
            Gbk("a?b中"));
}

TEST(LocalConversionsTest, ToSimplifiedChineseMapsCharacterByCharacter) {
  EXPECT_EQ(web::ToSimplifiedChinese(Gbk("國語 ABC 轉發微博")), Gbk("国语 ABC 转发微博"));
  // Already simplified, ASCII, GB18030 four-byte sequences and a lone trailing lead byte pass.
  const std::string mixed = Gbk("简体") + "\x94\x39\xFC\x36" + "x\x81";
  EXPECT_EQ(web::ToSimplifiedChinese(mixed), mixed);
  EXPECT_EQ(web::ToSimplifiedChinese(""), "");
}

}  // namespace
