// The collection run and the post collector against a loopback server that answers with post
// pages and listing pages made for each case and records every request.

#include "collector/CollectionRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "collector/RunCaptions.h"
#include "collector/ValuePanel.h"
#include "platform/HeadlessEventPump.h"
#include "platform/WaitResponsive.h"
#include "support/RawHttpServer.h"
#include "support/TestText.h"

namespace {

using collector::CollectionRun;
using test::Gbk;
using test::Utf8;
using text::Text;

// A listing answer as the service sends it: escaped markup, one comment item per user, whose
// nickname tells the page ("p2u1" is the first user of page 2).
std::string ListingAnswer(int totalPages, int page, int users) {
  std::string html;
  for (int user = 1; user <= users; ++user) {
    std::string name = "p";
    name += std::to_string(page);
    name += "u";
    name += std::to_string(user);
    html.append(R"(<dl class=\"comment_list\"><dd><a href=\"\/)")
        .append(name)
        .append(R"(\" usercard=\"id=1)")
        .append(std::to_string(page * 100 + user))
        .append(R"(\">)")
        .append(name)
        .append(
            R"(<\/a>\uff1ahi<span class=\"S_txt2\">(12\u67089\u65e5 10:30)<\/span><\/dd><\/dl>)");
  }
  return R"({"code":"100000","data":{"html":")" + html + R"(","page":{"totalpage":)" +
         std::to_string(totalPages) + R"(,"pagenum":)" + std::to_string(page) + "}}}";
}

// The request target of a raw request: "GET /a?b HTTP/1.1" gives "/a?b".
std::string Target(const std::string& request) {
  const std::size_t start = request.find(' ') + 1;
  return request.substr(start, request.find(' ', start) - start);
}

// A panel that also records every caption it was given, in order.
class RecordingPanel final : public collector::ValuePanel {
 public:
  void SetStartButtonCaption(text::TextView caption) override {
    ValuePanel::SetStartButtonCaption(caption);
    startCaptions.push_back(Utf8(caption));
  }
  void SetCollectGroupCaption(text::TextView caption) override {
    ValuePanel::SetCollectGroupCaption(caption);
    collectCaptions.push_back(Utf8(caption));
  }
  void SetOutputGroupCaption(text::TextView caption) override {
    ValuePanel::SetOutputGroupCaption(caption);
    outputCaptions.push_back(Utf8(caption));
  }
  void AppendOutput(text::TextView lines) override {
    ValuePanel::AppendOutput(lines);
    if (onAppend) onAppend();
  }

  std::vector<std::string> startCaptions;
  std::vector<std::string> collectCaptions;
  std::vector<std::string> outputCaptions;
  std::function<void()> onAppend;
};

// A pump whose events are scripted: each ProcessPendingEvents runs the next queued action.
class ScriptedPump final : public platform::EventPump {
 public:
  void ProcessPendingEvents() override {
    ++processed;
    if (actions.empty()) return;
    const std::function<void()> action = std::move(actions.front());
    actions.erase(actions.begin());
    action();
  }
  void WaitForEvents(platform::SteadyTime deadline) override { m_quiet.WaitForEvents(deadline); }
  void Wake() override { m_quiet.Wake(); }

  int processed = 0;
  std::vector<std::function<void()>> actions;

 private:
  platform::HeadlessEventPump m_quiet;
};

class CollectionRunTest : public testing::Test {
 protected:
  CollectionRunTest() {
    panel.inputs.lineTemplate = Gbk("#昵称#");
    panel.inputs.delay1 = "0";
    panel.inputs.delay2 = "0";
  }

  // Serves post pages at /post/ID holding the id in the quoted form, and listings of
  // `totalPages` pages of two users.
  void Serve(int totalPages, const std::map<std::string, std::string>& postPages = {}) {
    server = std::make_unique<test::RawHttpServer>([=](const std::string& request) {
      const std::string target = Target(request);
      if (target.starts_with("/aj/")) {
        const std::size_t page = target.find("&page=");
        return test::HttpAnswer(ListingAnswer(
            totalPages, page == std::string::npos ? 1 : std::stoi(target.substr(page + 6)), 2));
      }
      const auto custom = postPages.find(target);
      if (custom != postPages.end()) return test::HttpAnswer(custom->second);
      return test::HttpAnswer("<div mid=\"" + target.substr(target.rfind('/') + 1) + "\"></div>");
    });
  }

  std::string PostAddress(const std::string& id) const { return server->Address("/post/" + id); }

  void Collect(platform::EventPump& pump) {
    CollectionRun run(panel, pump, {.serviceHost = server->HostAndPort()});
    run.StartOrStopCollection();
  }
  void Collect() { Collect(pump); }

  std::vector<std::string> Targets() {
    std::vector<std::string> targets;
    for (const std::string& request : server->Requests()) {
      targets.push_back(Target(request));
    }
    return targets;
  }

  RecordingPanel panel;
  platform::HeadlessEventPump pump;
  std::unique_ptr<test::RawHttpServer> server;
};

std::string Lines(std::initializer_list<const char*> names) {
  std::string lines;
  for (const char* name : names) {
    lines += name;
    lines += "\r\n";
  }
  return lines;
}

struct RangeCase {
  const char* name;
  const char* start;
  const char* end;  // UTF-8
  int totalPages;
  std::vector<std::string> listingPagesFetched;  // "" for page 1, else "&page=N"
  std::string output;
  std::vector<std::string> outputCaptions;
  friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class PageRangeTest : public CollectionRunTest, public testing::WithParamInterface<RangeCase> {};

TEST_P(PageRangeTest, FetchesAndCollectsTheRange) {
  const RangeCase& c = GetParam();
  Serve(c.totalPages);
  panel.inputs.addressList = PostAddress("77");
  panel.inputs.startPage = c.start;
  panel.inputs.endPage = Gbk(c.end);
  Collect();

  std::vector<std::string> listingPages;
  for (const std::string& target : Targets()) {
    if (!target.starts_with("/aj/")) continue;
    ASSERT_TRUE(target.starts_with("/aj/comment/big?_wv=5&id=77")) << target;
    listingPages.push_back(target.substr(std::string("/aj/comment/big?_wv=5&id=77").size()));
  }
  EXPECT_EQ(listingPages, c.listingPagesFetched);
  EXPECT_EQ(panel.output, c.output);
  std::vector<std::string> captions = c.outputCaptions;
  captions.push_back("输出结果");  // the run's end resets it
  EXPECT_EQ(panel.outputCaptions, captions);
}

INSTANTIATE_TEST_SUITE_P(Ranges, PageRangeTest,
                         testing::Values(RangeCase{"ToTheLastPage",
                                                   "1",
                                                   "尾页",
                                                   3,
                                                   {"", "&page=2", "&page=3"},
                                                   Lines({"p1u1", "p1u2", "p2u1", "p2u2", "p3u1",
                                                          "p3u2"}),
                                                   {"输出结果 - 总 3 页，当前第 1 页，实际已采 1",
                                                    "输出结果 - 总 3 页，当前第 2 页，实际已采 2",
                                                    "输出结果 - 总 3 页，当前第 3 页，实际已采 3"}},
                                         RangeCase{"StartAboveTheTotal", "4", "0", 3, {""}, "", {}},
                                         RangeCase{"EndBelowStartTakesTheStartPageOnly",
                                                   "5",
                                                   "2",
                                                   6,
                                                   {"", "&page=5"},
                                                   Lines({"p5u1", "p5u2"}),
                                                   {"输出结果 - 总 6 页，当前第 5 页，实际已采 1"}},
                                         RangeCase{"MiddlePages",
                                                   "2",
                                                   "3",
                                                   5,
                                                   {"", "&page=2", "&page=3"},
                                                   Lines({"p2u1", "p2u2", "p3u1", "p3u2"}),
                                                   {"输出结果 - 总 5 页，当前第 2 页，实际已采 1",
                                                    "输出结果 - 总 5 页，当前第 3 页，实际已采 2"}},
                                         RangeCase{"BoxesThatAreNoNumbers",
                                                   "",
                                                   "",
                                                   2,
                                                   {"", "&page=2"},
                                                   Lines({"p1u1", "p1u2", "p2u1", "p2u2"}),
                                                   {"输出结果 - 总 2 页，当前第 1 页，实际已采 1",
                                                    "输出结果 - 总 2 页，当前第 2 页，实际已采 2"}},
                                         RangeCase{"NoPageCount", "1", "0", 0, {""}, "", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PostIdCase {
  const char* name;
  std::string postPage;
  std::string listingTarget;
  friend void PrintTo(const PostIdCase& c, std::ostream* os) { *os << c.name; }
};

class PostIdTest : public CollectionRunTest, public testing::WithParamInterface<PostIdCase> {};

TEST_P(PostIdTest, ListingIsRequestedWithThePostId) {
  Serve(1, {{"/post/x", GetParam().postPage}});
  panel.inputs.addressList = PostAddress("x");
  Collect();
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/post/x", GetParam().listingTarget}));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PostIdTest,
    testing::Values(
        PostIdCase{"QuotedAttribute", R"(<div class="WB" mid="123" x="1">)",
                   "/aj/comment/big?_wv=5&id=123"},
        PostIdCase{"QueryParameterOnly", R"(<a href="/aj/forward?ajwvr=6&mid=456&d=on">)",
                   "/aj/comment/big?_wv=5&id=456"},
        PostIdCase{"EscapedInAScriptString",
                   R"(<script>FM.view({"html":"<div class=\"WB\" mid=\"789\"><\/div>"})</script>)",
                   "/aj/comment/big?_wv=5&id=789"},
        PostIdCase{"QuotedFormWinsOverAnEarlierQuery", R"(?mid=111&a=1 <div mid="222">)",
                   "/aj/comment/big?_wv=5&id=222"},
        PostIdCase{"NoIdStillRequestsTheListingOnce", "<html>nothing here</html>",
                   "/aj/comment/big?_wv=5&id="}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CollectionRunTest, TypeComesFromTheRadioButtonsForEveryPost) {
  Serve(1);
  panel.inputs.addressList = PostAddress("5");
  const std::vector<std::tuple<bool, bool, std::string>> cases = {
      {false, false, "/aj/comment/big?_wv=5&id=5"},
      {true, false, "/aj/mblog/info/big?_wv=5&id=5"},
      {false, true, "/aj/like/big?_wv=5&mid=5"},
      {true, true, "/aj/mblog/info/big?_wv=5&id=5"},
  };
  for (const auto& [repost, like, listing] : cases) {
    panel.inputs.repost = repost;
    panel.inputs.like = like;
    Collect();
    EXPECT_EQ(Targets().back(), listing);
  }
}

TEST_F(CollectionRunTest, EmptyTemplateGivesNicknameAndAddress) {
  Serve(1);
  panel.inputs.addressList = PostAddress("5");
  panel.inputs.lineTemplate = "";
  Collect();
  const std::string host = server->HostAndPort();
  EXPECT_EQ(Utf8(panel.output),
            "@p1u1,http://" + host + "/p1u1\r\n@p1u2,http://" + host + "/p1u2\r\n");
}

TEST_F(CollectionRunTest, EmptyAddressBoxOnlyClearsAndCompletes) {
  Serve(1);
  panel.output = "old lines\r\n";
  Collect();
  EXPECT_TRUE(Targets().empty());
  EXPECT_EQ(panel.output, "");
  EXPECT_EQ(panel.startCaptions, (std::vector<std::string>{"停止采集", "开始采集"}));
  EXPECT_EQ(panel.collectCaptions, std::vector<std::string>{"采集操作"});
  EXPECT_EQ(panel.outputCaptions, std::vector<std::string>{"输出结果"});
  EXPECT_EQ(panel.messages, std::vector<Text>{Gbk("采集完成！")});
}

TEST_F(CollectionRunTest, EveryLineBetweenBreaksIsAPostEmptyOnesToo) {
  Serve(1);
  panel.inputs.addressList = PostAddress("1") + "\r\n\r\n" + PostAddress("2") + "\r\n";
  panel.output = "from an earlier run\r\n";
  Collect();
  EXPECT_EQ(panel.collectCaptions,
            (std::vector<std::string>{"采集操作 - 总 3 条微博，当前第 1 条",
                                      "采集操作 - 总 3 条微博，当前第 2 条",
                                      "采集操作 - 总 3 条微博，当前第 3 条", "采集操作"}));
  // The empty line fetches no post page, but its listing (with no id) is asked for once.
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/post/1", "/aj/comment/big?_wv=5&id=1",
                                                 "/aj/comment/big?_wv=5&id=", "/post/2",
                                                 "/aj/comment/big?_wv=5&id=2"}));
  EXPECT_EQ(panel.output, Lines({"p1u1", "p1u2", "p1u1", "p1u2", "p1u1", "p1u2"}));
}

// Presses the button twice while page 2 of the first of two posts is being fetched: that page
// is finished and appended, nothing more is fetched, and the run ends once.
TEST_F(CollectionRunTest, StopButtonFinishesThePageUnderWorkAndEndsTheRunOnce) {
  Serve(2);
  panel.inputs.addressList = PostAddress("1") + "\r\n" + PostAddress("2");
  ScriptedPump scripted;
  CollectionRun run(panel, scripted, {.serviceHost = server->HostAndPort()});
  panel.onAppend = [&] {
    if (panel.output != Lines({"p1u1", "p1u2"})) return;
    // The first event is the one at the top of page 2; the next comes during its fetch.
    scripted.actions = {[] {},
                        [&] {
                          run.StartOrStopCollection();
                          run.StartOrStopCollection();
                        }};
  };
  run.StartOrStopCollection();

  EXPECT_EQ(panel.startCaptions,
            (std::vector<std::string>{"停止采集", "停止中..", "停止中..", "开始采集"}));
  EXPECT_TRUE(run.stopRequested());
  EXPECT_FALSE(run.running());
  EXPECT_EQ(panel.output, Lines({"p1u1", "p1u2", "p2u1", "p2u2"}));
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/post/1", "/aj/comment/big?_wv=5&id=1",
                                                 "/aj/comment/big?_wv=5&id=1&page=2"}));
  EXPECT_EQ(panel.messages.size(), 1u);

  // The next press starts a new run, with the flag cleared.
  panel.onAppend = nullptr;
  run.StartOrStopCollection();
  EXPECT_FALSE(run.stopRequested());
  EXPECT_EQ(panel.output, Lines({"p1u1", "p1u2", "p2u1", "p2u2", "p1u1", "p1u2", "p2u1", "p2u2"}));
  EXPECT_EQ(panel.messages.size(), 2u);
}

TEST_F(CollectionRunTest, StopRequestWhileIdleDoesNothing) {
  Serve(1);
  CollectionRun run(panel, pump, {.serviceHost = server->HostAndPort()});
  run.RequestStop();
  EXPECT_FALSE(run.stopRequested());
  EXPECT_TRUE(panel.startCaptions.empty());
}

TEST(PageDelayTest, WholeRangeFromTheSmallerToTheLargerBound) {
  std::mt19937_64 random(7);
  struct Case {
    const char* delay1;
    const char* delay2;
    long long low;
    long long high;
  };
  for (const Case& c : {Case{"50", "10", 10, 50}, Case{"10", "50", 10, 50}, Case{"-20", "3", 0, 3},
                        Case{"0", "0", 0, 0}, Case{"20", "20", 20, 20}, Case{"abc", "", 0, 0}}) {
    std::set<long long> seen;
    for (int i = 0; i < 5000; ++i) {
      seen.insert(collector::PageDelayMs(c.delay1, c.delay2, random));
    }
    EXPECT_EQ(*seen.begin(), c.low) << c.delay1 << "," << c.delay2;
    EXPECT_EQ(*seen.rbegin(), c.high) << c.delay1 << "," << c.delay2;
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(c.high - c.low + 1));
  }
}

TEST(WaitResponsiveTest, RunsEventsOncePerTenMillisecondStep) {
  for (const auto& [ms, steps] :
       std::vector<std::pair<long long, int>>{{0, 0}, {-5, 0}, {10, 1}, {15, 2}, {40, 4}}) {
    ScriptedPump counting;
    platform::WaitResponsive(counting, ms);
    EXPECT_EQ(counting.processed, steps) << ms;
  }
}

}  // namespace
