// Timed requests against the service simulator and raw loopback servers: the time limit, the
// event pump, redirects, the login cookie, failures, and the cleanup of abandoned workers.

#include "web/TimedRequest.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/HeadlessEventPump.h"
#include "sim/Simulator.h"
#include "support/RawHttpServer.h"
#include "support/TestText.h"
#include "text/Conversions.h"
#include "text/TextOps.h"
#include "web/AbandonedWorkers.h"
#include "web/PageDecoding.h"
#include "web/SessionShare.h"

namespace {

using namespace std::chrono_literals;
using text::Text;

// A pump that behaves like a window under a moving mouse: an event every 10 ms.
class BusyPump final : public platform::EventPump {
 public:
  void ProcessPendingEvents() override { ++processed; }
  void WaitForEvents(platform::SteadyTime deadline) override {
    m_quiet.WaitForEvents(std::min(deadline, std::chrono::steady_clock::now() + 10ms));
  }
  void Wake() override { m_quiet.Wake(); }

  std::atomic<int> processed = 0;

 private:
  platform::HeadlessEventPump m_quiet;
};

// A window's pump while the user holds a modal dialog open: the first wait runs a handler that
// returns only after the deadline has long passed.
class DialogPump final : public platform::EventPump {
 public:
  void ProcessPendingEvents() override {}
  void WaitForEvents(platform::SteadyTime deadline) override {
    if (dialogShown) return m_quiet.WaitForEvents(deadline);
    dialogShown = true;
    std::this_thread::sleep_until(deadline + 300ms);
  }
  void Wake() override { m_quiet.Wake(); }

  bool dialogShown = false;

 private:
  platform::HeadlessEventPump m_quiet;
};

std::size_t EntriesIn(const char* folder) {
  const auto entries = std::filesystem::directory_iterator(folder);
  return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

Text Body(platform::EventPump& pump, Text address, const web::RequestOptions& options = {}) {
  return text::ToText(web::TimedRequest(pump, address, options));
}

class TimedRequestTest : public ::testing::Test {
 protected:
  static sim::SimulatorOptions Options(std::vector<sim::Fault> faults = {}) {
    sim::SimulatorOptions options;
    options.size = {.seed = 3, .posts = 3, .pages = 2, .usersPerPage = 5};
    options.faults = std::move(faults);
    return options;
  }
  void SetUp() override { web::SessionShare::Instance().ClearCookies(); }

  Text ListingAddress(const sim::Simulator& simulator) const {
    return "http://" + simulator.ServiceHost() +
           "/aj/comment/big?_wv=5&id=" + simulator.fixture().posts()[0].mid + "&page=1";
  }

  platform::HeadlessEventPump pump;
};

TEST_F(TimedRequestTest, BlankAddressMakesNoRequestAndStartsNoThread) {
  const std::size_t threads = EntriesIn("/proc/self/task");
  Text address = test::Gbk("  　 ");
  EXPECT_TRUE(web::TimedRequest(pump, address).empty());
  EXPECT_EQ(address, test::Gbk("  　 "));
  EXPECT_EQ(EntriesIn("/proc/self/task"), threads);
}

TEST_F(TimedRequestTest, SchemeIsPutInFrontInTheCallersVariable) {
  test::RawHttpServer server([](const std::string&) { return test::HttpAnswer("page"); });
  Text address = server.HostAndPort() + "/x";
  EXPECT_EQ(text::ToText(web::TimedRequest(pump, address)), "page");
  EXPECT_EQ(address, server.Address("/x"));
  // A scheme in capitals is not recognised as one.
  address = "HTTP://" + server.HostAndPort() + "/x";
  web::TimedRequest(pump, address);
  EXPECT_EQ(address, "http://HTTP://" + server.HostAndPort() + "/x");
}

TEST_F(TimedRequestTest, RedirectsAreFollowedUnlessAskedNot) {
  sim::Simulator simulator(Options({{.kind = sim::FaultKind::Redirect}}));
  ASSERT_TRUE(simulator.Start());
  const Text listing = ListingAddress(simulator);
  Text head = "untouched";
  EXPECT_NE(Body(pump, listing, {.responseHeaders = &head}).find("totalpage"), Text::npos);
  EXPECT_TRUE(head.starts_with("HTTP/1.1 200 OK\r\n")) << head;
  EXPECT_TRUE(head.ends_with("\r\n\r\n"));

  Body(pump, listing, {.responseHeaders = &head, .followRedirects = false});
  EXPECT_TRUE(head.starts_with("HTTP/1.1 302 Found\r\n")) << head;
  EXPECT_NE(head.find("Location: "), Text::npos);
}

TEST_F(TimedRequestTest, LoginCookieRidesTheNextRequestsUntilLogout) {
  sim::SimulatorOptions options = Options();
  options.requireLogin = true;
  sim::Simulator simulator(options);
  ASSERT_TRUE(simulator.Start());
  const Text listing = ListingAddress(simulator);
  const Text site = "http://" + simulator.ServiceHost();
  EXPECT_NE(Body(pump, listing).find("login required"), Text::npos);

  Text cookies = "untouched";
  Body(pump, site + "/login",
       {.method = 1,
        .postData = text::ToBytes("username=tester&password=x"),
        .responseCookies = &cookies,
        .followRedirects = false});
  EXPECT_TRUE(cookies.starts_with("SUB=tervane-")) << cookies;
  EXPECT_TRUE(cookies.ends_with(";"));
  EXPECT_NE(Body(pump, listing).find("totalpage"), Text::npos);

  Body(pump, site + "/logout");
  EXPECT_NE(Body(pump, listing).find("login required"), Text::npos);
}

TEST_F(TimedRequestTest, TimeLimitGivesTheMessageAtOnceWhileEventsKeepRunning) {
  sim::Simulator simulator(Options({{.kind = sim::FaultKind::Delay, .value = 20000}}));
  ASSERT_TRUE(simulator.Start());
  BusyPump busy;
  Text head = "untouched";
  Text cookies = "untouched";
  const auto start = std::chrono::steady_clock::now();
  const Text body =
      Body(busy, ListingAddress(simulator),
           {.timeoutSeconds = 0.3, .responseHeaders = &head, .responseCookies = &cookies});
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(body, web::kTimeoutMessage);
  EXPECT_GE(elapsed, 300ms);
  EXPECT_LT(elapsed, 10s);  // not the server's 20 s
  EXPECT_GE(busy.processed, 10);
  EXPECT_EQ(head, "untouched");
  EXPECT_EQ(cookies, "untouched");
  // The message passes the page decoding unchanged, so a page fetch returns it as it is.
  EXPECT_EQ(web::DecodePageText(web::kTimeoutMessage), web::kTimeoutMessage);
}

TEST_F(TimedRequestTest, PageThatArrivedInTimeIsKeptWhenTheCallerLooksLate) {
  test::RawHttpServer server([](const std::string&) { return test::HttpAnswer("fast"); });
  DialogPump dialog;
  EXPECT_EQ(Body(dialog, server.Address(), {.timeoutSeconds = 0.3}), "fast");
  EXPECT_TRUE(dialog.dialogShown);
}

TEST_F(TimedRequestTest, NoTimeLeftTimesOutAtTheFirstWakeUp) {
  test::RawHttpServer server([](const std::string&) { return test::HttpAnswer("fast"); });
  for (const double seconds : {0.0, -5.0}) {
    EXPECT_EQ(Body(pump, server.Address(), {.timeoutSeconds = seconds}), web::kTimeoutMessage);
  }
}

TEST_F(TimedRequestTest, ResetMidBodyKeepsWhatArrived) {
  sim::Simulator simulator(
      Options({{.kind = sim::FaultKind::Reset, .scope = sim::FaultScope::Listings}}));
  ASSERT_TRUE(simulator.Start());
  const Text whole =
      simulator.fixture().ListingAnswer(simulator.fixture().posts()[0], sim::Listing::Comment, 1);
  const Text body = Body(pump, ListingAddress(simulator));
  EXPECT_FALSE(body.empty());
  EXPECT_LT(body.size(), whole.size());
  EXPECT_TRUE(whole.starts_with(body));
}

TEST_F(TimedRequestTest, RefusedConnectionGivesAnEmptyBody) {
  EXPECT_EQ(Body(pump, "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/"), "");
}

TEST_F(TimedRequestTest, UntrustedCertificateIsRefused) {
  const std::string folder = TERVANE_TEST_DATA "/tls/";
  httplib::SSLServer server((folder + "cert.pem").c_str(), (folder + "key.pem").c_str());
  ASSERT_TRUE(server.is_valid());
  bool answered = false;
  server.Get("/", [&](const httplib::Request&, httplib::Response& response) {
    answered = true;
    response.set_content("secret", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread serving([&] { server.listen_after_bind(); });
  while (!server.is_running()) {
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(Body(pump, "https://127.0.0.1:" + std::to_string(port) + "/"), "");
  EXPECT_FALSE(answered);
  // The server itself works for a client that does not check.
  httplib::SSLClient unchecked("127.0.0.1", port);
  unchecked.enable_server_certificate_verification(false);
  const auto answer = unchecked.Get("/");
  EXPECT_TRUE(answer && answer->body == "secret");
  server.stop();
  serving.join();
}

TEST_F(TimedRequestTest, DecodeAsConvertsTheBody) {
  test::RawHttpServer server([](const std::string& request) {
    return test::HttpAnswer(request.starts_with("GET /big5") ? "\xA4\xA4\xB0\xEA"  // 中國
                                                             : "\xE4\xB8\xAD\xE6\x96\x87");  // 中文
  });
  EXPECT_EQ(Body(pump, server.Address("/utf8"), {.decodeAs = 1}), test::Gbk("中文"));
  EXPECT_EQ(Body(pump, server.Address("/big5"), {.decodeAs = 2}), test::Gbk("中国"));
  EXPECT_EQ(Body(pump, server.Address("/utf8")), "\xE4\xB8\xAD\xE6\x96\x87");
}

TEST_F(TimedRequestTest, FetchPageCutsAtTheFirstNulAndDecodes) {
  test::RawHttpServer server([](const std::string&) {
    return test::HttpAnswer(std::string_view("<meta charset=\"utf-8\">\xE4\xB8\xAD\0tail", 26));
  });
  Text address = server.Address("/page");
  EXPECT_EQ(web::FetchPage(pump, address), test::Gbk("<meta charset=\"utf-8\">中"));
}

TEST_F(TimedRequestTest, ManyTimedOutRequestsLeaveNoThreadAndNoSocket) {
  web::AbandonedWorkers::Instance().JoinAll();
  const std::size_t threads = EntriesIn("/proc/self/task");
  const std::size_t descriptors = EntriesIn("/proc/self/fd");
  {
    test::SilentServer silent;
    for (int i = 0; i < 1000; ++i) {
      ASSERT_EQ(Body(pump, silent.Address(), {.timeoutSeconds = 0.002}), web::kTimeoutMessage);
    }
    web::AbandonedWorkers::Instance().JoinAll();
  }
  EXPECT_EQ(web::AbandonedWorkers::Instance().Count(), 0U);
  EXPECT_EQ(EntriesIn("/proc/self/task"), threads);
  // Cancelled transfers close their connections; only the shared cache may keep a few.
  EXPECT_LE(EntriesIn("/proc/self/fd"), descriptors + 5);
}

}  // namespace
