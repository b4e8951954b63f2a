// Cookies as responses set them and as the shared store keeps them.

#include "web/Cookie.h"

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "web/SessionShare.h"

namespace {

using web::Cookie;

TEST(CookieTest, SetCookieValuesAsABrowserReadsThem) {
  struct Case {
    const char* host = "";
    const char* setCookie = "";
    std::optional<Cookie> expected;
  };
  const Case cases[] = {
      {"weibo.com", "a=1", Cookie{.domain = "weibo.com", .name = "a", .value = "1"}},
      {"passport.weibo.com", " SUB = x=y ; Domain=.Weibo.com; Path=/aj; Secure; HttpOnly",
       Cookie{.domain = "weibo.com",
              .includeSubdomains = true,
              .path = "/aj",
              .secure = true,
              .httpOnly = true,
              .name = "SUB",
              .value = "x=y"}},
      {"weibo.com", "a=1; Path=relative; Expires=Wed, 21 Oct 2037 07:28:00 GMT",
       Cookie{.domain = "weibo.com", .expires = 2139722880, .name = "a", .value = "1"}},
      // Deleting cookies get an expiry in the past, which is not 0 (a session cookie).
      {"weibo.com", "a=; Max-Age=0",
       Cookie{.domain = "weibo.com", .expires = 1, .name = "a", .value = ""}},
      {"weibo.com", "a=x; Expires=Thu, 01 Jan 1970 00:00:00 GMT",
       Cookie{.domain = "weibo.com", .expires = 1, .name = "a", .value = "x"}},
      {"127.0.0.1", "a=1; Domain=127.0.0.1",
       Cookie{.domain = "127.0.0.1", .name = "a", .value = "1"}},
      // Not cookies this host may set, or not cookies at all.
      {"weibo.com", "a=1; Domain=other.com", std::nullopt},
      {"weibo.com", "a=1; Domain=com", std::nullopt},
      {"aweibo.com", "a=1; Domain=weibo.com", std::nullopt},
      {"127.0.0.1", "a=1; Domain=0.0.1", std::nullopt},
      {"weibo.com", "=1", std::nullopt},
      {"weibo.com", "novalue", std::nullopt},
      {"weibo.com", "a=1\tTRUE", std::nullopt},
      {"weibo.com", "a=1\nb=2", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(web::ParseSetCookie(c.host, c.setCookie), c.expected) << c.setCookie;
  }
}

TEST(CookieTest, MaxAgeWinsOverExpires) {
  const std::int64_t before = std::time(nullptr);
  const auto cookie =
      web::ParseSetCookie("h.cn", "a=1; Max-Age=60; Expires=Thu, 01 Jan 1970 00:00:00 GMT");
  ASSERT_TRUE(cookie);
  EXPECT_GE(cookie->expires, before + 60);
  EXPECT_LE(cookie->expires, std::time(nullptr) + 60);
}

TEST(CookieTest, NetscapeLinesRoundTrip) {
  const Cookie cookies[] = {
      {.domain = "weibo.com", .name = "a", .value = "1"},
      {.domain = "weibo.com",
       .includeSubdomains = true,
       .path = "/aj",
       .secure = true,
       .httpOnly = true,
       .expires = 2139722880,
       .name = "SUB",
       .value = "x=y; z"},
  };
  EXPECT_EQ(web::ToNetscapeLine(cookies[1]),
            "#HttpOnly_.weibo.com\tTRUE\t/aj\tTRUE\t2139722880\tSUB\tx=y; z");
  for (const Cookie& cookie : cookies) {
    EXPECT_EQ(web::ParseNetscapeLine(web::ToNetscapeLine(cookie)), cookie);
  }
  EXPECT_EQ(web::ParseNetscapeLine("weibo.com\tFALSE\t/\tFALSE\t0\ta"), std::nullopt);
  EXPECT_EQ(web::ParseNetscapeLine("weibo.com\tFALSE\t/\tFALSE\tsoon\ta\t1"), std::nullopt);
  EXPECT_EQ(web::ParseNetscapeLine("\tFALSE\t/\tFALSE\t0\ta\t1"), std::nullopt);
  EXPECT_EQ(web::ParseNetscapeLine("weibo.com\tFALSE\t/\tFALSE\t0\t\t1"), std::nullopt);
  EXPECT_EQ(web::ParseNetscapeLine("weibo.com\tFALSE\t/\tFALSE\t0\ta\t1\x01"), std::nullopt);
  EXPECT_EQ(web::ParseNetscapeLine("WeiBo.COM\tFALSE\t/\tFALSE\t0\ta\t1")->domain, "weibo.com");
}

TEST(CookieTest, CookieFileSkipsCommentsAndNamesBadLines) {
  const web::CookieFile file = web::ReadCookieFile(
      "# Netscape HTTP Cookie File\r\n"
      "\r\n"
      ".weibo.com\tTRUE\t/\tFALSE\t0\tSUB\tabc\r\n"
      "#HttpOnly_weibo.com\tFALSE\t/\tTRUE\t2139722880\tSUBP\txyz\n"
      "not a cookie line\n"
      "   \n"
      "weibo.com\tFALSE\t/\tFALSE\t0\tlast\t1");
  ASSERT_EQ(file.cookies.size(), 3u);
  EXPECT_EQ(
      file.cookies[0],
      (Cookie{.domain = "weibo.com", .includeSubdomains = true, .name = "SUB", .value = "abc"}));
  EXPECT_TRUE(file.cookies[1].httpOnly);
  EXPECT_TRUE(file.cookies[1].secure);
  EXPECT_EQ(file.cookies[2].name, "last");
  EXPECT_EQ(file.badLines, std::vector<std::size_t>{5});
  EXPECT_TRUE(web::ReadCookieFile("").cookies.empty());

  // What CookieFileText writes reads back the same.
  EXPECT_EQ(web::ReadCookieFile(web::CookieFileText(file.cookies)).cookies, file.cookies);
  EXPECT_EQ(web::CookieFileText({}), "# Netscape HTTP Cookie File\n");
}

TEST(CookieTest, StoreKeepsReplacesAndDeletes) {
  auto& share = web::SessionShare::Instance();
  share.ClearCookies();
  std::vector<Cookie> heard;
  share.SetCookieListener([&](const Cookie& cookie) { heard.push_back(cookie); });

  EXPECT_TRUE(share.StoreSetCookie("weibo.com", "a=1; Path=/"));
  EXPECT_TRUE(share.StoreResponseCookie("weibo.com", "a=2; Path=/"));
  EXPECT_TRUE(share.StoreSetCookie("m.weibo.com", "b=1; Domain=weibo.com; HttpOnly"));
  EXPECT_FALSE(share.StoreSetCookie("weibo.com", "c=1; Domain=other.com"));
  std::vector<Cookie> stored = share.Cookies();
  ASSERT_EQ(stored.size(), 2U);
  EXPECT_EQ(stored[0].name + stored[0].value + stored[1].name + stored[1].value, "a2b1");
  EXPECT_TRUE(stored[1].includeSubdomains && stored[1].httpOnly);
  // Only the cookie a response set reaches the listener, so that a mirror does not echo.
  ASSERT_EQ(heard.size(), 1U);
  EXPECT_EQ(heard[0].value, "2");

  EXPECT_TRUE(share.StoreSetCookie("weibo.com", "a=gone; Path=/; Max-Age=0"));
  stored = share.Cookies();
  ASSERT_EQ(stored.size(), 1U);
  EXPECT_EQ(stored[0].name, "b");

  // A removal takes the cookie only while it holds the removed value.
  Cookie removed = stored[0];
  removed.value = "0";
  EXPECT_FALSE(share.RemoveCookie(removed));
  removed.includeSubdomains = false;
  removed.value = "1";
  EXPECT_FALSE(share.RemoveCookie(removed));
  removed.includeSubdomains = true;
  EXPECT_TRUE(share.RemoveCookie(removed));
  EXPECT_TRUE(share.Cookies().empty());

  // A cookie that no cookie-list line can carry is not stored.
  share.StoreCookie(Cookie{.domain = "weibo.com", .name = "t", .value = "a\tb"});
  share.StoreCookie(Cookie{.domain = "", .name = "n", .value = "1"});
  EXPECT_TRUE(share.Cookies().empty());
  EXPECT_TRUE(share.StoreSetCookie("weibo.com", "c=1"));
  share.ClearCookies();
  EXPECT_TRUE(share.Cookies().empty());
  share.SetCookieListener(nullptr);
}

}  // namespace
