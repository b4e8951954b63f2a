// tervane-collect as a process against the tervane-sim process: what it writes, what it says
// and how it ends.

#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>

#include <fstream>
#include <sstream>

#include "sim/Fixture.h"
#include "support/ChildProcess.h"
#include "support/RawHttpServer.h"
#include "support/SimProcess.h"
#include "support/TestText.h"

namespace {

namespace fs = std::filesystem;
using test::Gbk;
using test::Utf8;

constexpr int kPages = 4;
constexpr int kUsers = 3;
const sim::FixtureSize kSize = {.seed = 5, .posts = 3, .pages = kPages, .usersPerPage = kUsers};

std::vector<std::string> SplitLines(const std::string& text, const std::string& separator) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(separator, start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + separator.size();
  }
  return lines;
}

struct Outcome {
  int status;
  std::string output;
  std::string errors;
};

Outcome RunCollect(const std::vector<std::string>& arguments, const std::string& input = "") {
  test::ChildProcess process(TERVANE_COLLECT_PATH, arguments, input);
  const int status = process.Finish();
  return {status, process.output(), process.errors()};
}

class CollectProgramTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_fixtures = new test::TempDir;
    s_sim = new test::SimProcess({"--seed", "5", "--posts", "3", "--pages", std::to_string(kPages),
                                  "--users", std::to_string(kUsers), "--fixtures",
                                  s_fixtures->path().string()});
  }
  static void TearDownTestSuite() {
    delete s_sim;
    delete s_fixtures;
  }
  void SetUp() override { ASSERT_TRUE(s_sim->running()); }

  static std::string Host() { return s_sim->serviceHost(); }
  static std::string Expected(const std::string& name) {
    return test::FileContent(s_fixtures->path() / ("expected-" + name + ".txt"));
  }
  static std::vector<std::string> Addresses() {
    return SplitLines(test::FileContent(s_fixtures->path() / "addresses.txt"), "\r\n");
  }
  // The expected GBK lines (CR LF) of post `post` (from 0), pages `first` to `last`, with the
  // profile addresses on `host`.
  static std::string ExpectedPages(const std::string& name, int post, int first, int last,
                                   const std::string& host = Host()) {
    std::string expected = Expected(name);
    for (std::size_t at = expected.find(Host()); at != std::string::npos;
         at = expected.find(Host(), at + host.size())) {
      expected.replace(at, Host().size(), host);
    }
    const std::vector<std::string> lines = SplitLines(expected, "\r\n");
    std::string slice;
    for (int page = first; page <= last; ++page) {
      for (int user = 0; user < kUsers; ++user) {
        const auto index = (static_cast<std::size_t>(post) * kPages + page - 1) * kUsers + user;
        slice += lines[index] + "\r\n";
      }
    }
    return slice;
  }
  // Options every run takes: the simulator, no delay, GBK output.
  static std::vector<std::string> Options(std::vector<std::string> more) {
    std::vector<std::string> options{"--service-host", Host(), "--delay", "0,0",
                                     "--encoding",     "gbk"};
    options.insert(options.end(), more.begin(), more.end());
    return options;
  }

  static test::TempDir* s_fixtures;
  static test::SimProcess* s_sim;
  test::TempDir folder;
};

test::TempDir* CollectProgramTest::s_fixtures = nullptr;
test::SimProcess* CollectProgramTest::s_sim = nullptr;

TEST_F(CollectProgramTest, EveryListingOfEveryPostExactly) {
  const std::string addresses = (s_fixtures->path() / "addresses.txt").string();
  for (const std::string type : {"comment", "repost", "like"}) {
    for (const bool fullTime : {false, true}) {
      std::vector<std::string> options = Options({"--type", type, "--addresses", addresses});
      if (fullTime) options.push_back("--full-time");
      const Outcome outcome = RunCollect(options);
      EXPECT_EQ(outcome.status, 0);
      EXPECT_EQ(outcome.output, Expected(fullTime ? type : type + "-date")) << type << fullTime;
      // Not a terminal: one progress line per post and per page, then the sum.
      EXPECT_NE(outcome.errors.find("post 3 of 3, page 4 of 4, 36 lines so far\n"),
                std::string::npos);
      EXPECT_TRUE(outcome.errors.ends_with("collected 36 lines from 3 of 3 posts\n"))
          << outcome.errors;
    }
  }
}

TEST_F(CollectProgramTest, Utf8OutputAndAddressesFromStandardInput) {
  const Outcome outcome =
      RunCollect({"--service-host", Host(), "--delay", "0,0", "--quiet", "--addresses", "-"},
                 test::FileContent(s_fixtures->path() / "addresses.txt"));
  EXPECT_EQ(outcome.status, 0);
  std::string expected = Utf8(Expected("comment-date"));
  for (std::size_t at = expected.find("\r\n"); at != std::string::npos;
       at = expected.find("\r\n")) {
    expected.erase(at, 1);
  }
  EXPECT_EQ(outcome.output, expected);
  EXPECT_EQ(outcome.errors, "");
}

TEST_F(CollectProgramTest, PageRanges) {
  const std::string post = Addresses()[0];
  struct Case {
    std::string start;
    std::string end;
    std::string expected;
  };
  for (const Case& c : {Case{"5", "0", ""}, Case{"3", "1", ExpectedPages("comment-date", 0, 3, 3)},
                        Case{"2", "3", ExpectedPages("comment-date", 0, 2, 3)},
                        Case{"-4", "1", ExpectedPages("comment-date", 0, 1, 1)}}) {
    const Outcome outcome =
        RunCollect(Options({"--quiet", "--start", c.start, "--end", c.end, post}));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.output, c.expected) << c.start << ".." << c.end;
    EXPECT_EQ(outcome.errors, "");
  }
}

TEST_F(CollectProgramTest, PostIdGivenOnlyAsAQueryParameter) {
  const sim::Fixture fixture(kSize);
  int post = -1;
  for (const sim::Post& candidate : fixture.posts()) {
    if (candidate.idForm == sim::IdForm::QueryParameter) post = candidate.index;
  }
  ASSERT_GE(post, 0);
  const Outcome outcome =
      RunCollect(Options({"--quiet", Addresses()[static_cast<std::size_t>(post)]}));
  EXPECT_EQ(outcome.output, ExpectedPages("comment-date", post, 1, kPages));
}

TEST_F(CollectProgramTest, PostsThatGiveNothingAreNamedAndTheRunGoesOn) {
  const std::vector<std::string> posts = Addresses();
  const std::string unreachable = "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/p";
  const std::string noId = "http://" + Host() + "/404/nothing";
  const Outcome outcome =
      RunCollect(Options({"--quiet", "--addresses", "-"}),
                 posts[0] + "\n\n" + unreachable + "\r\n" + noId + "\n" + posts[1] + "\n");
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.output, ExpectedPages("comment-date", 0, 1, kPages) +
                                ExpectedPages("comment-date", 1, 1, kPages));
  EXPECT_EQ(outcome.errors,
            "tervane-collect: warning: post 2 (an empty address line): nothing to fetch\n"
            "tervane-collect: warning: post 3 (" +
                unreachable +
                "): the post page could not be fetched\n"
                "tervane-collect: warning: post 4 (" +
                noId + "): the post page holds no post id (mid)\n");
}

TEST_F(CollectProgramTest, FailingPostPagesAndListingPages) {
  const test::SimProcess failing({"--seed", "5", "--posts", "3", "--pages", "4", "--users", "3",
                                  "--fault", "status=500@post"});
  const std::string path = Addresses()[0].substr(Addresses()[0].find('/', 7));
  Outcome outcome = RunCollect({"--service-host", failing.serviceHost(), "--quiet",
                                "http://" + failing.serviceHost() + path});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.output, "");
  EXPECT_NE(outcome.errors.find("the post page holds no post id"), std::string::npos);

  // Page 2 comes too late, page 3 is cut off half way: the pages around them are whole, and
  // each loss is named.
  const test::SimProcess faulty({"--seed", "5", "--posts", "3", "--pages", "4", "--users", "3",
                                 "--fault", "delay=5000@2", "--fault", "reset@3"});
  const std::string host = faulty.serviceHost();
  outcome = RunCollect({"--service-host", host, "--delay", "0,0", "--quiet", "--encoding", "gbk",
                        "--timeout", "0.4", "http://" + host + path});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_TRUE(outcome.output.starts_with(ExpectedPages("comment-date", 0, 1, 1, host)));
  EXPECT_TRUE(outcome.output.ends_with(ExpectedPages("comment-date", 0, 4, 4, host)));
  EXPECT_LT(SplitLines(outcome.output, "\r\n").size(), 3u * kUsers);
  const std::string post = "tervane-collect: warning: post 1 (http://" + host + path + "): ";
  EXPECT_EQ(outcome.errors,
            post + "listing page 2 did not come within the time limit; its users are missing\n" +
                post +
                "listing page 3 came cut short or is no listing; some of its users may be "
                "missing\n");
}

TEST_F(CollectProgramTest, InterruptFinishesThePageUnderWorkAndExits130) {
  const test::SimProcess slow({"--seed", "5", "--posts", "3", "--pages", "6", "--users", "3",
                               "--fault", "delay=300@listing", "--fixtures",
                               folder.path().string()});
  const std::string post =
      SplitLines(test::FileContent(folder.path() / "addresses.txt"), "\r\n")[0];
  test::ChildProcess process(TERVANE_COLLECT_PATH, {"--service-host", slow.serviceHost(), "--delay",
                                                    "0,0", "--encoding", "gbk", post});
  ASSERT_TRUE(process.WaitForErrors("page 2 of 6"));
  process.Signal(SIGINT);
  EXPECT_EQ(process.Finish(), 130);

  // Whole pages from the first on, fewer than all: page 2 was done before the signal was sent,
  // and a page that was under work when it came was finished.
  const std::string all = test::FileContent(folder.path() / "expected-comment-date.txt");
  const std::string& output = process.output();
  const std::size_t lines = SplitLines(output, "\r\n").size();
  EXPECT_TRUE(all.starts_with(output));
  EXPECT_EQ(lines % kUsers, 0u);
  EXPECT_GE(lines, 2u * kUsers);
  EXPECT_LT(lines, 6u * kUsers);
  EXPECT_NE(process.errors().find("interrupted after collecting"), std::string::npos);
}

TEST_F(CollectProgramTest, SecondInterruptQuitsAtOnce) {
  const test::SimProcess slow({"--seed", "5", "--posts", "3", "--pages", "4", "--users", "3",
                               "--fault", "delay=20000@listing"});
  const std::string path = Addresses()[0].substr(Addresses()[0].find('/', 7));
  test::ChildProcess process(TERVANE_COLLECT_PATH, {"--service-host", slow.serviceHost(),
                                                    "http://" + slow.serviceHost() + path});
  ASSERT_TRUE(process.WaitForErrors("post 1 of 1"));
  process.Signal(SIGINT);
  ASSERT_TRUE(process.WaitForErrors("Ctrl-C again quits at once"));
  process.Signal(SIGINT);
  EXPECT_EQ(process.Finish(), 130);
  EXPECT_TRUE(process.errors().ends_with("tervane-collect: interrupted again, quitting\n"))
      << process.errors();
}

TEST_F(CollectProgramTest, SaveWritesWhatTheWindowsSaveWrites) {
  const std::string post = Addresses()[0];
  const std::string onePost = ExpectedPages("comment-date", 0, 1, kPages);
  const fs::path csv = folder.path() / "x.csv";
  const fs::path txt = folder.path() / "y.TXT";
  const fs::path deduped = folder.path() / "z.CSV";
  const fs::path emptyTemplate = folder.path() / "e.csv";

  Outcome outcome = RunCollect(Options({"--quiet", "--save", csv.string(), post}));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.output, onePost);
  EXPECT_EQ(test::FileContent(csv), Gbk("昵称,ID,时间,地址,评论\r\n") + onePost);

  RunCollect(Options({"--quiet", "--save", txt.string(), post}));
  EXPECT_EQ(test::FileContent(txt), onePost);

  // The same post twice: de-duplication keeps one set, without the last line break.
  outcome = RunCollect(Options({"--quiet", "--dedupe", "--save", deduped.string(), post, post}));
  const std::string once = onePost.substr(0, onePost.size() - 2);
  EXPECT_EQ(outcome.output, once);
  EXPECT_EQ(test::FileContent(deduped), Gbk("昵称,ID,时间,地址,评论\r\n") + once);

  outcome =
      RunCollect(Options({"--quiet", "--template", "", "--save", emptyTemplate.string(), post}));
  EXPECT_TRUE(test::FileContent(emptyTemplate).starts_with("\r\n@"));

  outcome =
      RunCollect(Options({"--quiet", "--save", (folder.path() / "no" / "x.csv").string(), post}));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.errors, "tervane-collect: cannot save " +
                                (folder.path() / "no" / "x.csv").string() +
                                ": No such file or directory\n");
}

TEST_F(CollectProgramTest, CookiesFileCarriesALogin) {
  const test::SimProcess guarded(
      {"--seed", "5", "--posts", "3", "--pages", "4", "--users", "3", "--require-login"});
  const std::string path = Addresses()[0].substr(Addresses()[0].find('/', 7));
  const std::string post = "http://" + guarded.serviceHost() + path;

  Outcome outcome = RunCollect({"--service-host", guarded.serviceHost(), "--quiet", post});
  EXPECT_EQ(outcome.output, "");
  EXPECT_NE(outcome.errors.find("no page count (is a login needed? see --cookies)"),
            std::string::npos);

  httplib::Client client("127.0.0.1", guarded.port());
  const auto login = client.Post("/login", "username=ann", "application/x-www-form-urlencoded");
  ASSERT_TRUE(login);
  const std::string cookie = login->get_header_value("Set-Cookie");
  const std::string session = cookie.substr(4, cookie.find(';') - 4);  // after "SUB="
  const fs::path cookies = folder.path() / "cookies.txt";
  std::ofstream(cookies) << "# Netscape HTTP Cookie File\n\n127.0.0.1\tFALSE\t/\tFALSE\t0\tSUB\t"
                         << session << "\n";
  outcome = RunCollect({"--service-host", guarded.serviceHost(), "--delay", "0,0", "--quiet",
                        "--encoding", "gbk", "--cookies", cookies.string(), post});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.output, ExpectedPages("comment-date", 0, 1, kPages, guarded.serviceHost()));
  EXPECT_EQ(outcome.errors, "");
}

TEST(CollectOptionsTest, BadInputGetsOneLineAndStatus2) {
  const test::TempDir folder;
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--type", "shares", "a"}, "--type must be comment, repost or like, not 'shares'"},
      {{"--start", "x1", "a"}, "--start needs a whole number, not 'x1'"},
      {{"--end=", "a"}, "--end needs a whole number, not ''"},
      {{"--delay", "100", "a"}, "--delay needs two whole numbers of milliseconds as LOW,HIGH"},
      {{"--timeout", "0", "a"}, "--timeout needs a number of seconds above 0"},
      {{"--encoding", "latin1", "a"}, "--encoding must be utf-8 or gbk, not 'latin1'"},
      {{"--service-host", "a b:80", "a"}, "--service-host needs HOST or HOST:PORT"},
      {{"--service-host", "h:70000", "a"}, "--service-host needs HOST or HOST:PORT"},
      {{"--service-host", "--delay", "0,0", "a"}, "--service-host needs HOST or HOST:PORT"},
      {{"--bogus", "a"}, "unknown option '--bogus'"},
      {{"--quiet=yes", "a"}, "--quiet takes no value"},
      {{"a", "--save"}, "--save needs a value"},
      {{}, "no post addresses"},
      {{"--addresses", (folder.path() / "none.txt").string()},
       "cannot read the addresses file " + (folder.path() / "none.txt").string() +
           ": No such file or directory"},
      {{"--cookies", folder.path().string(), "a"},
       "cannot read the cookies file " + folder.path().string() + ": Is a directory"},
  };
  for (const auto& [arguments, message] : cases) {
    const Outcome outcome = RunCollect(arguments);
    EXPECT_EQ(outcome.status, 2) << message;
    EXPECT_EQ(outcome.output, "");
    EXPECT_TRUE(outcome.errors.starts_with("tervane-collect: " + message)) << outcome.errors;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << message;
  }
  const Outcome help = RunCollect({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.output.starts_with("usage: tervane-collect [options] [ADDRESS ...]\n"));
  EXPECT_EQ(RunCollect({"--version"}).output, "tervane-collect (Tervane) 1.21\n");
}

}  // namespace
