// The pieces a request is built from: address parts, marker values and the agent.

#include <gtest/gtest.h>

#include "support/TestText.h"
#include "web/RequestHeaders.h"
#include "web/UrlParts.h"

namespace {

using text::Text;

TEST(UrlPartsTest, HostPathAndPort) {
  struct Case {
    Text address;
    Text host;
    Text path;
    int port;
  };
  const Case cases[] = {
      {"http://Weibo.COM/a/B?x=1", "weibo.com", "/a/B?x=1", 80},
      {"http://weibo.com", "weibo.com", "/", 80},
      {"http://127.0.0.1:8080/aj/comment?id=1&page=2", "127.0.0.1", "/aj/comment?id=1&page=2",
       8080},
      {"HTTP://h.cn:81/", "http", "/", 81},  // a capital scheme is not taken for one
      {"weibo.com:82/x#frag", "weibo.com", "/x#frag", 82},
      {"http://h/?next=http://other/", "h", "/?next=http://other/", 80},
      {"http://h:abc/", "h", "/", 0},
      {test::Gbk("http://中文.COM/页"), test::Gbk("中文.com"), test::Gbk("/页"), 80},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(web::UrlHost(c.address), c.host) << c.address;
    EXPECT_EQ(web::UrlObjectPath(c.address), c.path) << c.address;
    EXPECT_EQ(web::UrlPort(c.address), c.port) << c.address;
  }
}

TEST(UrlPartsTest, TlsRequestsAndTheirPort) {
  struct Case {
    Text address;
    bool secure;
    int port;
  };
  const Case cases[] = {
      {"https://weibo.com/x", true, 443},
      {"HTTPS://weibo.com/x", true, 443},
      {"https://weibo.com:8443/x", true, 8443},
      // "https://" anywhere makes a TLS request, on 443, as the platform client did.
      {"http://h:8080/login?next=https://h/", true, 443},
      {"http://h:8080/x", false, 8080},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(web::IsSecureAddress(c.address), c.secure) << c.address;
    EXPECT_EQ(web::RequestPort(c.address), c.port) << c.address;
  }
}

TEST(RequestHeadersTest, ValueBetweenAndTextBefore) {
  EXPECT_EQ(web::ValueBetween("a href=\"x.html\" b", test::Gbk("HREF=#引号"), test::Gbk("#引号")),
            "x.html");
  EXPECT_EQ(web::ValueBetween("a href=\"x\"", "HREF=", "\"", 1, true), "");
  EXPECT_EQ(web::ValueBetween("left only", "left", "right"), "");
  EXPECT_EQ(web::TextBefore("a=1; Path=/", ";"), "a=1");
  EXPECT_EQ(web::TextBefore("a=1", ";"), "");
}

TEST(RequestHeadersTest, UserAgentComesFromTheCallersLine) {
  EXPECT_EQ(web::RequestUserAgent("Accept: x\r\nuser-agent:  Tester/2 \r\n"), "Tester/2");
  // Without a line break after it the value cannot be read, and the agent is empty.
  EXPECT_EQ(web::RequestUserAgent("User-Agent: Tester/2"), "");
  EXPECT_EQ(web::RequestUserAgent("Accept: x\r\n"), web::kDefaultUserAgent);
}

TEST(RequestHeadersTest, ConditionsAreSubstringSearches) {
  const Text address = "http://h/accept";
  // The Referer line carries the address, and the address holds no "Accept-Language".
  EXPECT_EQ(web::CompleteRequestHeaders("X-Accepted: 1\r\nrefererno\r\n", address, "GET", 0, ""),
            "X-Accepted: 1\r\nrefererno\r\nAccept-Language: zh-cn\r\n");
  EXPECT_EQ(web::CompleteRequestHeaders("Accept: */*\r\nX-Content-Type-Options: n\r\n", address,
                                        "POST", 3, "a=1"),
            "Accept: */*\r\nX-Content-Type-Options: n\r\nReferer: http://h/accept\r\n"
            "Accept-Language: zh-cn\r\nContent-Length: 3\r\nCookie: a=1\r\n\r\n");
}

TEST(RequestHeadersTest, ResponseCookieListKeepsEveryCookieInOrder) {
  const auto values = web::SetCookieValues(
      "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; Path=/\r\nSet-Cookie: a=2\r\nX: Set-Cookie: b=1\r\n"
      "SET-COOKIE:c=3;\r\n\r\n");
  EXPECT_EQ(values, (std::vector<Text>{"a=1; Path=/", "a=2", "c=3;"}));
  EXPECT_EQ(web::ResponseCookieList(values), "a=1;a=2;c=3;");
}

}  // namespace
