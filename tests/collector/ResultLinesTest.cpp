#include "collector/ResultLines.h"

#include <gtest/gtest.h>

#include <random>

#include "support/TestText.h"

namespace {

using collector::RemoveDuplicateLines;
using test::Gbk;

TEST(ResultLinesTest, RemoveDuplicateLinesKeepsTheLastOfEachSet) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a\r\nb\r\na\r\nc\r\n", "b\r\na\r\nc"},
      {"only\r\n", "only\r\n"},  // fewer than two lines: unchanged, break included
      {"", ""},
      {"\r\n\r\nx\r\n\r\ny", "x\r\n\r\ny"},  // of the empty lines only the last stays
      {"\r\nx", "x"},                        // an empty line cannot begin the result
      {"A\r\na\r\nA", "a\r\nA"},             // letter case counts
      {"x\r\nx\r\nx\r\n", "x"},
      {"a\r\nb", "a\r\nb"},
      {"a\rb\r\na\nb\r\na\rb", "a\nb\r\na\rb"},  // only CR LF separates lines
  };
  for (const auto& [output, expected] : cases) {
    std::string deduplicated = output;
    RemoveDuplicateLines(deduplicated);
    EXPECT_EQ(deduplicated, expected) << output;
  }
}

// The window's quadratic scan, as a reference for the linear version.
std::string QuadraticReference(const std::string& output) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < output.size()) {
    const std::size_t end = output.find("\r\n", start);
    lines.push_back(output.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  if (lines.size() < 2) return output;
  std::string result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    bool later = false;
    for (std::size_t j = i + 1; j < lines.size() && !later; ++j) {
      later = lines[j] == lines[i];
    }
    if (later) continue;
    result += result.empty() ? lines[i] : "\r\n" + lines[i];
  }
  return result;
}

TEST(ResultLinesTest, RemoveDuplicateLinesMatchesTheQuadraticScan) {
  std::mt19937 random(11);
  const std::vector<std::string> pieces = {"a", "b", "", "\r\n", "\r\n", "\r\n", "ab"};
  for (int round = 0; round < 3000; ++round) {
    std::string output;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      output += pieces[random() % pieces.size()];
    }
    std::string deduplicated = output;
    RemoveDuplicateLines(deduplicated);
    ASSERT_EQ(deduplicated, QuadraticReference(output)) << output;
  }
}

TEST(ResultLinesTest, CsvHeaderAndFileNames) {
  EXPECT_EQ(collector::CsvHeaderLine(Gbk("@#昵称#,#ID#,#时间#,#地址#,#评论#")),
            Gbk("昵称,ID,时间,地址,评论"));
  EXPECT_EQ(collector::CsvHeaderLine(""), "");
  // "@" is also the trail byte of some GBK characters, which stay whole.
  EXPECT_EQ(collector::CsvHeaderLine(Gbk("@丂#")), Gbk("丂"));
  for (const auto& [name, csv] :
       std::vector<std::pair<std::string, bool>>{{"result.csv", true},
                                                 {"result.CSV", true},
                                                 {"/tmp/a.Csv", true},
                                                 {"result.txt", false},
                                                 {"csv", false},
                                                 {"result.csv.txt", false},
                                                 {".csv", true}}) {
    EXPECT_EQ(collector::IsCsvFileName(name), csv) << name;
  }
}

}  // namespace
