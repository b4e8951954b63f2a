#include "collector/ListingPage.h"

#include <gtest/gtest.h>

#include <random>

#include "collector/ValuePanel.h"
#include "support/TestText.h"

namespace {

using collector::PostListingReader;
using collector::ValuePanel;
using test::Gbk;
using test::Utf8;

std::string ToLowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

text::DateTime NinthOfDecember() {
  return {2026, 12, 9, 8, 15, 0};
}

std::string CommentItem(const std::string& dd, const std::string& rest = "") {
  return "<dl class=\"comment_list\"><dt><a href=\"/x\"><img src=\"a.jpg\"></a></dt><dd>" + dd +
         "</dd>" + rest + "</dl>";
}

std::string AnnItem(const std::string& comment, const std::string& time) {
  return CommentItem("<a href=\"/1234\" usercard=\"id=1234\">Ann</a>：" + comment +
                     "<span class=\"S_txt2\">" + time + "</span>");
}

std::string LikeItem(const std::string& uid, const std::string& title) {
  return "<li uid=\"" + uid + "\" title=\"" + title + "\"><a href=\"/u/" + uid +
         "\"><img usercard=\"id=" + uid + "\"></a></li>";
}

struct PageCase {
  const char* name;
  std::string page;          // UTF-8; converted to GBK
  std::string lineTemplate;  // UTF-8
  bool like;
  std::string expected;  // UTF-8
  friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

class ListingPageTest : public testing::TestWithParam<PageCase> {};

TEST_P(ListingPageTest, MakesTheExpectedLines) {
  const PageCase& c = GetParam();
  ValuePanel panel;
  panel.inputs.like = c.like;
  PostListingReader reader("weibo.com", panel, &NinthOfDecember);
  EXPECT_EQ(Utf8(reader.CollectListingPage(Gbk(c.page), Gbk(c.lineTemplate))), c.expected);
}

const std::string kDefaultTemplate = "@#昵称#,#ID#,#时间#,#地址#,#评论#";

INSTANTIATE_TEST_SUITE_P(
    Pages, ListingPageTest,
    testing::Values(
        PageCase{"comment item with markup",
                 AnnItem("hi <img src=\"f.gif\" title=\"[哈哈]\">there", "(12月9日 10:30)"),
                 kDefaultTemplate, false, "@Ann,1234,12月9日,http://weibo.com/1234,hi there\r\n"},
        PageCase{"href slashes removed and em time",
                 CommentItem("<a href=\"/u/77\" usercard=\"id=77\">小明</a>：好"
                             "<span class=\"info\"><em class=\"S_txt2\">今天 08:00</em></span>"),
                 kDefaultTemplate, false, "@小明,77,12月9日,http://weibo.com/u77,好\r\n"},
        PageCase{"like items leave time and comment empty",
                 LikeItem("11", "甲") + "\r\n" + LikeItem("22", "乙"), kDefaultTemplate, true,
                 "@甲,11,,http://weibo.com/11,\r\n@乙,22,,http://weibo.com/22,\r\n"},
        PageCase{"values holding | go in whole",
                 CommentItem("<a href=\"/9\" usercard=\"id=9\">a|b</a>：x|y|z<span >t</span>"),
                 "#评论#/#昵称#/#ID#", false, "x|y|z/a|b/9\r\n"},
        PageCase{"placeholders in any case, repeated", AnnItem("hi", "5分钟前"),
                 "#id#-#Id#:#评论##评论#", false, "1234-1234:hihi\r\n"},
        PageCase{"template without placeholders", AnnItem("a", "t") + AnnItem("b", "t"), "固定",
                 false, "固定\r\n固定\r\n"},
        PageCase{"item without fields", "<dl><dt></dt></dl>", kDefaultTemplate, false,
                 "@,,,http://weibo.com/,\r\n"},
        PageCase{"missing end marker ends the page",
                 AnnItem("one", "t") + "<dl><dd><a>lost</a>：never closed", "#评论#", false,
                 "one\r\n"},
        PageCase{"empty item ends the page", AnnItem("one", "t") + "<dl</dl>" + AnnItem("x", "t"),
                 "#评论#", false, "one\r\n"},
        PageCase{"page without items", "{\"totalpage\":3,\"html\":\"\"}", kDefaultTemplate, false,
                 ""},
        PageCase{"comment items read as likes find no li", AnnItem("hi", "t"), kDefaultTemplate,
                 true, ""}));

TEST(ListingPageTest, EntryCarriesOverWhenTheShapeChangesDuringAPost) {
  ValuePanel panel;
  PostListingReader reader("weibo.com", panel, &NinthOfDecember);
  reader.CollectListingPage(Gbk(AnnItem("hi", "12月1日 9:00")), "");
  panel.inputs.like = true;
  EXPECT_EQ(Utf8(reader.CollectListingPage(Gbk(LikeItem("5", "L")), Gbk(kDefaultTemplate))),
            "@L,5,12月1日,http://weibo.com/5,hi\r\n");
}

TEST(ListingPageTest, ServiceHostComesFromConstruction) {
  ValuePanel panel;
  panel.inputs.like = true;
  PostListingReader reader("127.0.0.1:8080", panel);
  EXPECT_EQ(reader.CollectListingPage(LikeItem("5", "L"), Gbk("#地址#")),
            "http://127.0.0.1:8080/5\r\n");
}

// Pages stitched from the markers the reader looks for, in any order and nesting, with GBK
// characters and lone lead bytes between them: every page gives whole lines, one per item at
// most, and never more lines than the page has item starts.
TEST(ListingPageTest, ArbitraryMarkupGivesWholeLines) {
  const std::string pieces[] = {"<dl",      "</dl>",
                                "<DL>",     "<li",
                                "</li>",    "<dd>",
                                "</dd>",    "<a href=\"/u/1\">",
                                "</a>",     "：",
                                "<span ",   "<span class=\"S_txt2\">",
                                "</span>",  "<em class=S_txt2>",
                                "</em>",    "uid=\"",
                                "title=\"", "usercard=\"id=",
                                "\"",       "今天",
                                "前",       " ",
                                "　",       "(",
                                ")",        "|",
                                "#昵称#",   "#评论#",
                                "<",        ">",
                                "\r\n",     "\x81",
                                "x"};
  std::mt19937 random(1211);
  for (int round = 0; round < 3000; ++round) {
    std::string page;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
      page += pieces[random() % std::size(pieces)];
    }
    const text::Text local = Gbk(page);
    const std::string lower = ToLowerAscii(page);
    for (const bool like : {false, true}) {
      ValuePanel panel;
      panel.inputs.like = like;
      PostListingReader reader("weibo.com", panel, &NinthOfDecember);
      reader.CollectListingPage(local, Gbk(kDefaultTemplate));
      const text::Text lines = reader.CollectListingPage(local, "x");
      ASSERT_EQ(lines.size() % 3, 0U) << page;
      for (std::size_t at = 0; at < lines.size(); at += 3) {
        ASSERT_EQ(lines.substr(at, 3), "x\r\n") << page;
      }
      std::size_t starts = 0;
      for (std::size_t at = 0; (at = lower.find(like ? "<li" : "<dl", at)) != std::string::npos;
           ++at) {
        ++starts;
      }
      ASSERT_LE(lines.size() / 3, starts) << page;
    }
  }
}

struct TimeCase {
  const char* name;
  std::string element;  // UTF-8
  std::string full;
  std::string dateOnly;
  friend void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.name; }
};

class NormaliseTimeTest : public testing::TestWithParam<TimeCase> {};

TEST_P(NormaliseTimeTest, CleansAndCutsTheTime) {
  const TimeCase& c = GetParam();
  const text::Text item = Gbk("<dl><dd>x</dd>" + c.element + "</dl>");
  EXPECT_EQ(Utf8(collector::NormaliseTime(item, false, &NinthOfDecember)), c.full);
  EXPECT_EQ(Utf8(collector::NormaliseTime(item, true, &NinthOfDecember)), c.dateOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Times, NormaliseTimeTest,
    testing::Values(
        TimeCase{"parentheses", "<span class=\"S_txt2\">(12月9日 10:30)</span>", "12月9日 10:30",
                 "12月9日"},
        TimeCase{"today", "<em class=\"S_txt2\">今天 10:30</em>", "今天 10:30", "12月9日"},
        TimeCase{"minutes ago", "<em class=\"S_txt2\">5分钟前</em>", "5分钟前", "12月9日"},
        TimeCase{"no space", "<span class=\"S_txt2\">2012-12-9</span>", "2012-12-9", ""},
        TimeCase{"outer spaces, ideographic too",
                 "<span class=\"S_txt2\">　 (2012-12-9 10:00) 　</span>", "2012-12-9 10:00",
                 "2012-12-9"},
        TimeCase{"em wins over span",
                 "<span class=\"S_txt2\">span</span><em class=\"S_txt2\">1月2日 3:04</em>",
                 "1月2日 3:04", "1月2日"},
        TimeCase{"unquoted class", "<em class=S_txt2>3月4日 5:06</em>", "3月4日 5:06", "3月4日"},
        TimeCase{"no time element", "<span class=\"other\">1月1日 1:00</span>", "", ""}));

struct LineCase {
  const char* name;
  std::string lineTemplate;
  collector::CollectedEntry entry;  // UTF-8
  std::string expected;
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

class FormatEntryLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(FormatEntryLineTest, FillsThePlaceholders) {
  const LineCase& c = GetParam();
  const collector::CollectedEntry entry{Gbk(c.entry.nickname), Gbk(c.entry.userId),
                                        Gbk(c.entry.profileAddress), Gbk(c.entry.time),
                                        Gbk(c.entry.comment)};
  EXPECT_EQ(Utf8(collector::FormatEntryLine(Gbk(c.lineTemplate), entry)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FormatEntryLineTest,
    testing::Values(LineCase{"default template",
                             "@#昵称#,#ID#,#时间#,#地址#,#评论#",
                             {"Ann", "1", "http://w/1", "12月9日", "hi"},
                             "@Ann,1,12月9日,http://w/1,hi"},
                    LineCase{"| in a nickname moves nothing",
                             "#昵称#;#ID#;#评论#",
                             {"a|b|c", "7", "", "", "z"},
                             "a|b|c;7;z"},
                    LineCase{"| in the comment is kept", "#评论#", {"", "", "", "", "a|b"}, "a|b"},
                    LineCase{"a value holding a later placeholder is filled by its pass",
                             "#昵称#",
                             {"x#ID#", "42", "", "", ""},
                             "x42"},
                    LineCase{"a value holding an earlier placeholder stays",
                             "#评论#",
                             {"N", "", "", "", "#昵称#"},
                             "#昵称#"},
                    LineCase{"empty template", "", {"N", "1", "a", "t", "c"}, ""}));

}  // namespace
