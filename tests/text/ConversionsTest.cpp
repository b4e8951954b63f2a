#include "text/Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/TestText.h"

namespace {

using test::Gbk;
using text::ByteBuffer;
using text::Text;

struct NumberCase {
  const char* name;
  // Names the case in test listings instead of dumping its bytes.
  friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }
  Text text;
  std::int32_t integer;
  double number;
};

class ReadNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsTheLeadingNumberAfterFoldingFullWidthForms) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(text::ToInteger(c.text), c.integer);
  EXPECT_DOUBLE_EQ(text::ToNumber(c.text), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadNumberTest,
    testing::Values(NumberCase{"trailingLetters", "12abc", 12, 12},
                    NumberCase{"spacesAndSign", "  -42x", -42, -42},
                    NumberCase{"plusSign", "+7", 7, 7},
                    NumberCase{"lastPageWord", Gbk("尾页"), 0, 0}, NumberCase{"empty", "", 0, 0},
                    NumberCase{"fullWidthDigits", Gbk("１２"), 12, 12},
                    NumberCase{"fullWidthSignAndSpace", Gbk("\u3000－３．５"), -3, -3.5},
                    NumberCase{"whiteSpaceKinds", "\t\n\v\f\r 5", 5, 5},
                    NumberCase{"fraction", "2.5e2x", 2, 250},
                    NumberCase{"bareExponentMark", "1e", 1, 1},
                    NumberCase{"leadingPoint", ".5", 0, 0.5}, NumberCase{"pointOnly", ".", 0, 0},
                    NumberCase{"signOnly", "-", 0, 0}, NumberCase{"noHexOrNames", "0x1F", 0, 0},
                    NumberCase{"infinityWordIsNoNumber", "inf", 0, 0},
                    NumberCase{"integerOverflowClamps", "99999999999", 2147483647, 99999999999.0},
                    NumberCase{"integerUnderflowClamps", "-99999999999999999999", -2147483648,
                               -99999999999999999999.0},
                    NumberCase{"trailByteIsNotADigit", "\xB0\x31", 0, 0}),
    [](const auto& info) { return info.param.name; });

TEST(ToNumberTest, OutOfRangeReadsAsInfinityOrZero) {
  EXPECT_EQ(text::ToNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(text::ToNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(text::ToNumber("1e-999"), 0.0);
}

TEST(ToIntegerTest, TruncatesDoublesTowardZeroWithinRange) {
  EXPECT_EQ(text::ToInteger(2.9), 2);
  EXPECT_EQ(text::ToInteger(-2.9), -2);
  EXPECT_EQ(text::ToInteger(1e300), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(text::ToInteger(-1e300), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(text::ToInteger(std::nan("")), 0);
  EXPECT_EQ(text::ToNumber(std::int32_t{-7}), -7.0);
}

TEST(ToTextTest, FormatsEachKind) {
  EXPECT_EQ(text::ToText(std::int32_t{-12}), "-12");
  EXPECT_EQ(text::ToText(3.0), "3");
  EXPECT_EQ(text::ToText(2.5), "2.5");
  EXPECT_EQ(text::ToText(1.0 / 3.0), "0.3333333333333");
  EXPECT_EQ(text::ToText(1e20), "1e+20");
  EXPECT_EQ(text::ToText(1.5e-7), "1.5e-07");
  EXPECT_EQ(text::ToText(true), Gbk("真"));
  EXPECT_EQ(text::ToText(false), Gbk("假"));
  EXPECT_EQ(text::ToText(ByteBuffer{'a', 'b', 0, 'c', 'd'}), "ab");
  EXPECT_EQ(text::ToText(ByteBuffer{'a', 'b'}), "ab");
  EXPECT_EQ(text::ToText(ByteBuffer{}), "");
}

TEST(ByteBufferTest, CountsCutsAndFills) {
  const ByteBuffer bytes = text::ToBytes("abc");
  EXPECT_EQ(bytes, (ByteBuffer{'a', 'b', 'c'}));
  EXPECT_EQ(text::BytesLength(bytes), 3);
  EXPECT_EQ(text::BytesLength({}), 0);
  EXPECT_EQ(text::LeftBytes(bytes, 2), (ByteBuffer{'a', 'b'}));
  EXPECT_EQ(text::LeftBytes(bytes, 9), bytes);
  EXPECT_TRUE(text::LeftBytes(bytes, -1).empty());
  EXPECT_EQ(text::ZeroBytes(2), (ByteBuffer{0, 0}));
  EXPECT_TRUE(text::ZeroBytes(0).empty());
  EXPECT_TRUE(text::ZeroBytes(std::numeric_limits<text::Index>::max()).empty());
}

}  // namespace
