#include "sim/Simulator.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include "collector/ListingPage.h"
#include "collector/ValuePanel.h"
#include "support/SimProcess.h"
#include "support/TestText.h"
#include "text/Conversions.h"
#include "text/EscapeDecoding.h"
#include "text/MarkerExtraction.h"
#include "text/TextOps.h"
#include "text/WholeFile.h"
#include "web/PageDecoding.h"

namespace {

text::Text ReadText(const std::filesystem::path& path) {
  return text::ToText(text::ReadWholeFile(path));
}

// The lines of one page within a fixture's expected file, which lists every page of every post.
text::Text PageOfExpected(const text::Text& all, int firstLine, int count) {
  const text::TextList lines = text::Split(all, "\r\n");
  text::Text page;
  for (int i = firstLine; i < firstLine + count; ++i) {
    page += lines.at(i) + "\r\n";
  }
  return page;
}

TEST(SimulatorProgramTest, ServesListingsThatCollectToTheExpectedLines) {
  test::TempDir folder;
  test::SimProcess simulator({"--seed", "5", "--posts", "3", "--pages", "2", "--users", "7",
                              "--fixtures", folder.path().string()});
  ASSERT_TRUE(simulator.running());
  httplib::Client client("127.0.0.1", simulator.port());

  const text::TextList addresses = text::Split(ReadText(folder.path() / "addresses.txt"), "\r\n");
  ASSERT_EQ(addresses.size(), 3U);
  const text::Text expected = ReadText(folder.path() / "expected-comment.txt");

  // The third post's second comment page: its lines follow 2 pages of 7 users of each post before.
  const std::string postPath = addresses[2].substr(addresses[2].find('/', 7));
  const auto postPage = client.Get(postPath.c_str());
  ASSERT_TRUE(postPage);
  const text::Text post = web::DecodePageText(postPage->body);
  const text::Text mid = text::TextBetween(post, "mid=\"", "\"");
  ASSERT_FALSE(mid.empty());

  const auto listing = client.Get(("/aj/comment/big?_wv=5&id=" + mid + "&page=2").c_str());
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->status, 200);
  collector::ValuePanel panel;
  panel.inputs.dateOnly = false;
  collector::PostListingReader reader(simulator.serviceHost(), panel);
  const text::Text lines = reader.CollectListingPage(
      text::DecodeEscapes(web::DecodePageText(listing->body)), panel.LineTemplate());
  EXPECT_EQ(lines, PageOfExpected(expected, 2 * 2 * 7 + 7, 7)) << test::Utf8(lines);
  EXPECT_EQ(text::Split(expected, "\r\n").size(), 3U * 2 * 7);
}

class SimulatorTest : public testing::Test {
 protected:
  // Starts a simulator with one post of two pages.
  static std::unique_ptr<sim::Simulator> Start(const std::vector<std::string>& faults = {},
                                               bool requireLogin = false) {
    sim::SimulatorOptions options;
    options.size = {.seed = 3, .posts = 1, .pages = 2, .usersPerPage = 3};
    options.requireLogin = requireLogin;
    for (const std::string& description : faults) {
      std::string error;
      const auto fault = sim::ParseFault(description, error);
      EXPECT_TRUE(fault) << error;
      if (fault) options.faults.push_back(*fault);
    }
    auto simulator = std::make_unique<sim::Simulator>(std::move(options));
    EXPECT_TRUE(simulator->Start());
    return simulator;
  }
  static std::string Listing(const sim::Simulator& simulator, int page) {
    return "/aj/comment/big?_wv=5&id=" + simulator.fixture().posts()[0].mid +
           "&page=" + std::to_string(page);
  }
};

TEST_F(SimulatorTest, AnswersListingsByTheirIdParameter) {
  auto simulator = Start();
  httplib::Client client("127.0.0.1", simulator->port());
  const std::string mid = simulator->fixture().posts()[0].mid;
  const auto has = [&](const std::string& target) {
    const auto result = client.Get(target.c_str());
    return result && result->body.find("{\"totalpage\":2,") != std::string::npos;
  };
  EXPECT_TRUE(has("/aj/comment/big?_wv=5&id=" + mid));
  EXPECT_TRUE(has("/aj/mblog/info/big?_wv=5&id=" + mid));
  EXPECT_TRUE(has("/aj/like/big?_wv=5&mid=" + mid));
  EXPECT_FALSE(has("/aj/like/big?_wv=5&id=" + mid));
  EXPECT_FALSE(has("/aj/comment/big?_wv=5&id=1"));
  const auto missing = client.Get("/no/such/page");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->status, 404);
}

TEST_F(SimulatorTest, ListingsCanRequireALogin) {
  auto simulator = Start({}, true);
  httplib::Client client("127.0.0.1", simulator->port());
  const auto listed = [&](const httplib::Headers& headers) {
    const auto result = client.Get(Listing(*simulator, 1).c_str(), headers);
    return result && result->body.find("totalpage") != std::string::npos;
  };
  EXPECT_FALSE(listed({}));

  const auto login =
      client.Post("/login", "username=ann&password=x", "application/x-www-form-urlencoded");
  ASSERT_TRUE(login);
  EXPECT_EQ(login->status, 302);
  const std::string setCookie = login->get_header_value("Set-Cookie");
  const std::string cookie = setCookie.substr(0, setCookie.find(';'));
  ASSERT_TRUE(cookie.starts_with("SUB="));
  EXPECT_EQ(setCookie.substr(cookie.size()), "; Path=/; HttpOnly");  // ends with the session
  const auto remembered =
      client.Post("/login", "username=ann&remember=1", "application/x-www-form-urlencoded");
  ASSERT_TRUE(remembered);
  EXPECT_TRUE(remembered->get_header_value("Set-Cookie").ends_with("; Max-Age=2592000"));
  EXPECT_TRUE(listed({{"Cookie", "other=1; " + cookie}}));

  ASSERT_TRUE(client.Get("/logout", {{"Cookie", cookie}}));
  EXPECT_FALSE(listed({{"Cookie", cookie}}));
  EXPECT_FALSE(listed({{"Cookie", "SUB=made-up"}}));
}

TEST_F(SimulatorTest, FaultsApplyWhereTheyAreAimed) {
  auto simulator = Start({"status=500@2", "redirect@post"});
  httplib::Client client("127.0.0.1", simulator->port());
  const auto first = client.Get(Listing(*simulator, 1).c_str());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->status, 200);
  const auto second = client.Get(Listing(*simulator, 2).c_str());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->status, 500);
  EXPECT_NE(second->body.find("<h1>500</h1>"), std::string::npos);

  const std::string post = simulator->fixture().posts()[0].Path();
  const auto redirected = client.Get(post.c_str());
  ASSERT_TRUE(redirected);
  EXPECT_EQ(redirected->status, 302);
  client.set_follow_location(true);
  const auto followed = client.Get(post.c_str());
  ASSERT_TRUE(followed);
  EXPECT_EQ(followed->status, 200);
}

TEST_F(SimulatorTest, BodyFaults) {
  auto simulator = Start({"reset@1", "oversize=3000000@2", "redirect-loop@post"});
  httplib::Client client("127.0.0.1", simulator->port());
  EXPECT_FALSE(client.Get(Listing(*simulator, 1).c_str()));  // cut short

  const auto padded = client.Get(Listing(*simulator, 2).c_str());
  ASSERT_TRUE(padded);
  EXPECT_EQ(padded->body.size(), 3000000U);
  EXPECT_NE(padded->body.find("{\"totalpage\":2,"), std::string::npos);

  const std::string post = simulator->fixture().posts()[0].Path();
  const auto loop = client.Get(post.c_str());
  ASSERT_TRUE(loop);
  EXPECT_EQ(loop->status, 302);
  EXPECT_EQ(loop->get_header_value("Location"), post);
}

TEST(FaultTest, ParsesFaultSwitches) {
  std::string error;
  const auto delay = sim::ParseFault("delay=250@listing", error);
  ASSERT_TRUE(delay);
  EXPECT_EQ(delay->kind, sim::FaultKind::Delay);
  EXPECT_EQ(delay->value, 250);
  EXPECT_TRUE(delay->AppliesTo(true, 7));
  EXPECT_FALSE(delay->AppliesTo(false, 0));

  const auto page = sim::ParseFault("reset@3", error);
  ASSERT_TRUE(page);
  EXPECT_TRUE(page->AppliesTo(true, 3));
  EXPECT_FALSE(page->AppliesTo(true, 2));

  for (const char* bad : {"delay", "status=abc", "oversize=-1", "explode", "reset@0", "reset@x"}) {
    EXPECT_FALSE(sim::ParseFault(bad, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
