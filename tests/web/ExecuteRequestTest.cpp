// Requests made through the worker's record against loopback servers that keep each request
// byte for byte, so the exact request line and headers can be compared.

#include "web/ExecuteRequest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/RawHttpServer.h"
#include "support/TestText.h"
#include "text/ByteStream.h"
#include "text/Conversions.h"
#include "web/HttpTransfer.h"
#include "web/RequestHeaders.h"
#include "web/RequestRecord.h"
#include "web/SessionShare.h"

namespace {

using text::Text;
using web::RequestRecord;

const std::string kAccept =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
const std::string kAgent = "User-Agent: " + std::string(web::kDefaultUserAgent) + "\r\n";

struct Call {
  Text address{};
  Text method = "GET";
  Text proxy{};
  Text headers{};
  Text body{};
  Text cookies{};
  bool follow = true;
};

RequestRecord Execute(const Call& call) {
  RequestRecord record{text::ToBytes(call.address),
                       text::ToBytes(call.method),
                       text::ToBytes(call.proxy),
                       text::ToBytes(call.headers),
                       text::ToBytes(call.body),
                       text::ToBytes(call.cookies),
                       text::ToBytes(text::ToText(call.follow))};
  text::ByteStream stream = text::OpenMemoryStream();
  EXPECT_TRUE(text::StreamWriteData(stream, record));
  web::ExecuteRequest(stream);
  RequestRecord back(web::kRequestRecordSlots);
  EXPECT_TRUE(text::StreamSeekToStart(stream));
  EXPECT_TRUE(text::StreamReadData(stream, back));
  return back;
}

Text Slot(const RequestRecord& record, web::RequestSlot slot) {
  return text::ToText(record[slot]);
}

class ExecuteRequestTest : public ::testing::Test {
 protected:
  void SetUp() override { web::SessionShare::Instance().ClearCookies(); }

  test::RawHttpServer server{[](const std::string&) { return test::HttpAnswer("hello"); }};
  std::string host = "Host: " + server.HostAndPort() + "\r\n";
};

TEST_F(ExecuteRequestTest, GetSendsTheDefaultHeadersInOrderAndNothingElse) {
  const std::string address = server.Address("/aj/comment/big?id=5&page=2#top");
  const RequestRecord back = Execute({.address = address});
  EXPECT_EQ(Slot(back, web::kBodySlot), "hello");
  ASSERT_EQ(server.Requests().size(), 1U);
  EXPECT_EQ(server.Requests()[0], "GET /aj/comment/big?id=5&page=2 HTTP/1.1\r\n" + host + kAgent +
                                      kAccept + "Referer: " + address +
                                      "\r\nAccept-Language: zh-cn\r\n\r\n");
}

TEST_F(ExecuteRequestTest, CallerHeadersDecideWhichDefaultsFollow) {
  struct Case {
    const char* name;
    Text headers;
    std::string expectedHeaders;  // after Host, with the address written as ADDRESS
  };
  const Case cases[] = {
      // "Accept" is found inside Accept-Language, so no Accept line either.
      {"accept-language", "Accept-Language: en\r\n",
       kAgent + "Accept-Language: en\r\nReferer: ADDRESS\r\n"},
      {"referer given", "Referer: http://elsewhere/\r\n",
       kAgent + "Referer: http://elsewhere/\r\n" + kAccept + "Accept-Language: zh-cn\r\n"},
      // The marker is taken out and leaves its line break behind; no Referer goes out.
      {"no referer", "RefererNo\r\n", kAgent + kAccept + "Accept-Language: zh-cn\r\n"},
      {"user agent", "User-Agent: Tester/1.0\r\n",
       "User-Agent: Tester/1.0\r\n" + kAccept + "Referer: ADDRESS\r\nAccept-Language: zh-cn\r\n"},
  };
  const std::string address = server.Address("/p");
  for (const Case& c : cases) {
    Execute({.address = address, .headers = c.headers});
    std::string expected = "GET /p HTTP/1.1\r\n" + host + c.expectedHeaders + "\r\n";
    if (const auto at = expected.find("ADDRESS"); at != std::string::npos) {
      expected.replace(at, 7, address);
    }
    EXPECT_EQ(server.Requests().back(), expected) << c.name;
  }
}

TEST_F(ExecuteRequestTest, PostCarriesItsBodyWithTypeAndLengthOnlyWhenThereIsOne) {
  const std::string address = server.Address("/login");
  Execute({.address = address, .method = "POST", .headers = "RefererNo", .body = "a=1&b=2"});
  Execute({.address = address, .method = "POST", .headers = "RefererNo"});
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2U);
  const std::string head =
      "POST /login HTTP/1.1\r\n" + host + kAgent + kAccept + "Accept-Language: zh-cn\r\n";
  EXPECT_EQ(requests[0], head +
                             "Content-Type: application/x-www-form-urlencoded\r\n"
                             "Content-Length: 7\r\n\r\na=1&b=2");
  EXPECT_EQ(requests[1], head + "\r\n");
}

TEST_F(ExecuteRequestTest, ExplicitCookiesReplaceTheStoreOnPlainHttp) {
  web::SessionShare::Instance().StoreSetCookie("127.0.0.1", "stored=1; Path=/");
  Execute({.address = server.Address("/a"), .headers = "RefererNo", .cookies = "SUB=abc; x=1"});
  Execute({.address = server.Address("/b"), .headers = "RefererNo"});
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2U);
  EXPECT_EQ(requests[0], "GET /a HTTP/1.1\r\n" + host + kAgent + kAccept +
                             "Accept-Language: zh-cn\r\nCookie: SUB=abc; x=1\r\n\r\n");
  // Without explicit cookies the store supplies them, right after the agent.
  EXPECT_EQ(requests[1], "GET /b HTTP/1.1\r\n" + host + kAgent + "Cookie: stored=1\r\n" + kAccept +
                             "Accept-Language: zh-cn\r\n\r\n");
}

TEST_F(ExecuteRequestTest, PortAndObjectFollowTheAddress) {
  Execute({.address = server.Address(), .headers = "RefererNo"});
  Execute({.address = "http://" + server.HostAndPort(), .headers = "RefererNo"});
  Execute({.address = "http://" + server.HostAndPort() + "/Path/x.html?q=%41&r=s t",
           .headers = "RefererNo"});
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3U);
  EXPECT_TRUE(requests[0].starts_with("GET / HTTP/1.1\r\n" + host)) << requests[0];
  EXPECT_TRUE(requests[1].starts_with("GET / HTTP/1.1\r\n" + host)) << requests[1];
  // The path goes as written; only what a request line cannot hold is percent-encoded.
  EXPECT_TRUE(requests[2].starts_with("GET /Path/x.html?q=%41&r=s%20t HTTP/1.1\r\n" + host))
      << requests[2];
}

TEST_F(ExecuteRequestTest, ProxyCarriesPlainHttpOnly) {
  const RequestRecord back = Execute({.address = "http://weibo.example/aj/x?id=1",
                                      .proxy = server.HostAndPort(),
                                      .headers = "RefererNo"});
  EXPECT_EQ(Slot(back, web::kBodySlot), "hello");
  ASSERT_EQ(server.Requests().size(), 1U);
  EXPECT_TRUE(server.Requests()[0].starts_with(
      "GET http://weibo.example/aj/x?id=1 HTTP/1.1\r\nHost: weibo.example\r\n"))
      << server.Requests()[0];
  // A TLS request goes direct: here to a port nobody listens on.
  Execute({.address = "https://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/",
           .proxy = server.HostAndPort()});
  EXPECT_EQ(server.Requests().size(), 1U);
}

TEST(ExecuteRequestHeadTest, FinalHeaderBlockAndItsCookiesComeBack) {
  web::SessionShare::Instance().ClearCookies();
  test::RawHttpServer server([](const std::string& request) -> std::string {
    if (request.starts_with("GET /start")) {
      return "HTTP/1.1 302 Found\r\nLocation: /end\r\nSet-Cookie: hop=1; Path=/\r\n"
             "Content-Length: 0\r\n\r\n";
    }
    // Bare LF line ends, two cookies of one name, one without attributes, chunked with a
    // trailer that is not part of the block.
    return "HTTP/1.1 200 OK\nSet-Cookie: a=1; Path=/; HttpOnly\nX-Note: Set-Cookie: fake=1\n"
           "set-cookie: a=2\nSet-Cookie:  b=3; Max-Age=600\nTransfer-Encoding: chunked\n\n"
           "4\r\nbody\r\n0\r\nX-Trailer: t\r\n\r\n";
  });
  const RequestRecord back = Execute({.address = server.Address("/start"), .headers = "RefererNo"});
  EXPECT_EQ(Slot(back, web::kBodySlot), "body");
  EXPECT_EQ(Slot(back, web::kResponseHeadSlot),
            "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; Path=/; HttpOnly\r\nX-Note: Set-Cookie: fake=1\r\n"
            "set-cookie: a=2\r\nSet-Cookie:  b=3; Max-Age=600\r\nTransfer-Encoding: chunked\r\n"
            "\r\n");
  EXPECT_EQ(Slot(back, web::kResponseCookiesSlot), "a=1;a=2;b=3;");
  // The redirect's cookie is kept too, for the host that set it.
  std::vector<std::string> stored;
  for (const web::Cookie& cookie : web::SessionShare::Instance().Cookies()) {
    stored.push_back(cookie.name + "=" + cookie.value + "@" + cookie.domain + cookie.path);
  }
  std::sort(stored.begin(), stored.end());
  EXPECT_EQ(stored,
            (std::vector<std::string>{"a=2@127.0.0.1/", "b=3@127.0.0.1/", "hop=1@127.0.0.1/"}));
}

TEST(ExecuteRequestBodyTest, BodyKeepsNulBytesAndStopsAtTheLimit) {
  const std::string large(web::kMaxResponseBody + 4096, 'x');
  test::RawHttpServer server([&](const std::string& request) {
    return test::HttpAnswer(request.starts_with("GET /large") ? std::string_view(large)
                                                              : std::string_view("ab\0cd", 5));
  });
  RequestRecord back = Execute({.address = server.Address("/nul")});
  EXPECT_EQ(back[web::kBodySlot], text::ToBytes(std::string_view("ab\0cd", 5)));
  back = Execute({.address = server.Address("/large")});
  EXPECT_EQ(back[web::kBodySlot].size(), web::kMaxResponseBody);
  EXPECT_EQ(Slot(back, web::kResponseHeadSlot).substr(0, 15), "HTTP/1.1 200 OK");
}

TEST(ExecuteRequestFailureTest, FailuresGiveAnEmptyBody) {
  // Refused: the body is empty and the follow flag stays.
  RequestRecord back =
      Execute({.address = "http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/x",
               .cookies = "c=1"});
  EXPECT_EQ(Slot(back, web::kBodySlot), "");
  EXPECT_EQ(Slot(back, web::kResponseHeadSlot), "");
  EXPECT_EQ(Slot(back, web::kFollowRedirectsSlot), test::Gbk("真"));

  // No usable host: nothing is requested; the body and follow slots are emptied, the others
  // keep what went in.
  for (const char* address : {"http://", "http://a b/", "http://host:70000/", "http://[::1]/"}) {
    back = Execute({.address = address, .cookies = "c=1"});
    EXPECT_EQ(Slot(back, web::kBodySlot), "") << address;
    EXPECT_EQ(Slot(back, web::kFollowRedirectsSlot), "") << address;
    EXPECT_EQ(Slot(back, web::kMethodSlot), "GET") << address;
    EXPECT_EQ(Slot(back, web::kCookiesSlot), "c=1") << address;
  }

  // A method other than GET and POST sends nothing.
  test::RawHttpServer server([](const std::string&) { return test::HttpAnswer("x"); });
  back = Execute({.address = server.Address("/"), .method = "PUT"});
  EXPECT_EQ(Slot(back, web::kBodySlot), "");
  EXPECT_TRUE(server.Requests().empty());
}

TEST(ExecuteRequestFailureTest, UnreadableRecordIsLeftAlone) {
  text::ByteStream stream = text::OpenMemoryStream();
  ASSERT_TRUE(text::StreamWriteData(stream, {text::ToBytes("http://127.0.0.1/")}));
  const text::Index length = text::StreamLength(stream);
  web::ExecuteRequest(stream);
  EXPECT_EQ(text::StreamLength(stream), length);
}

}  // namespace
