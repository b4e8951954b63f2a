#include "settings/IniText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct FindCase {
  const char* name;
  std::string content;
  std::optional<std::string> expected;
};

class FindIniValueTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindIniValueTest, FindsTheKeyOfTheSection) {
  const FindCase& c = GetParam();
  const std::optional<text::TextView> value = settings::FindIniValue(c.content, "Main", "Key");
  ASSERT_EQ(value.has_value(), c.expected.has_value());
  if (value) {
    EXPECT_EQ(*value, *c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindIniValueTest,
    testing::Values(
        FindCase{"Plain", "[Main]\r\nKey=v\r\n", "v"},
        FindCase{"LfAndNoFinalBreak", "[Main]\nKey=v", "v"},
        FindCase{"LetterCaseAndBlanksOfNames", " [main] \r\n  KEY \t=v\r\n", "v"},
        FindCase{"ValueKeptByteForByte", "[Main]\r\nKey= a=b \r\n", " a=b "},
        FindCase{"EmptyValue", "[Main]\r\nKey=\r\n", ""},
        FindCase{"FirstOfTwoKeys", "[Main]\r\nKey=1\r\nKey=2\r\n", "1"},
        FindCase{"KeyOfAnotherSection", "[Other]\r\nKey=x\r\n[Main]\r\nK=y\r\n", std::nullopt},
        FindCase{"AfterTheSectionEnds", "[Main]\r\nA=1\r\n[Other]\r\nKey=x\r\n", std::nullopt},
        FindCase{"NoSection", "Key=x\r\n", std::nullopt}, FindCase{"EmptyFile", "", std::nullopt},
        FindCase{"GarbageLinesSkipped", "\x01\xFF\r\n[Main\r\n[Main]\r\nnoise\r\nKey=v", "v"}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

struct WriteCase {
  const char* name;
  std::string before;
  std::string after;
};

class WithIniValueTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WithIniValueTest, SetsTheValueAndKeepsTheRest) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(settings::WithIniValue(c.before, "Main", "Key", "new"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithIniValueTest,
    testing::Values(WriteCase{"NewFile", "", "[Main]\r\nKey=new\r\n"},
                    WriteCase{"ReplacedInPlace", "[Main]\r\nA=1\r\n key =old\r\nB=2\r\n",
                              "[Main]\r\nA=1\r\n key =new\r\nB=2\r\n"},
                    WriteCase{"ReplacedOnALfLine", "[Main]\nKey=old\nB=2", "[Main]\nKey=new\nB=2"},
                    WriteCase{"AddedAfterTheSectionsLastLine",
                              "[Main]\r\nA=1\r\n\r\n[Other]\r\nKey=x\r\n",
                              "[Main]\r\nA=1\r\nKey=new\r\n\r\n[Other]\r\nKey=x\r\n"},
                    WriteCase{"AddedAfterALastLineWithoutBreak", "[Main]\r\nA=1",
                              "[Main]\r\nA=1\r\nKey=new\r\n"},
                    WriteCase{"SectionAddedAtTheEnd", "[Other]\r\nKey=x",
                              "[Other]\r\nKey=x\r\n[Main]\r\nKey=new\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

}  // namespace
