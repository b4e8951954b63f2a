#pragma once

// One stored cookie, and the two text forms it travels in: the value of a Set-Cookie header
// and the tab-separated line of a Netscape cookies file (libcurl's cookie-list form).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "text/Text.h"

namespace web {

struct Cookie {
  text::Text domain;               // lower case, without a leading dot
  bool includeSubdomains = false;  // set by a Domain attribute; else the host alone
  text::Text path = "/";
  bool secure = false;
  bool httpOnly = false;
  std::int64_t expires = 0;  // seconds since 1970; 0 for a cookie that ends with the session
  text::Text name;
  text::Text value;

  bool operator==(const Cookie&) const = default;
};

// The expiry a deleting cookie gets: long past, but not 0, which means "session".
inline constexpr std::int64_t kDeletingExpiry = 1;

// A cookie that `host` sets with the header value `setCookie` ("name=value; attributes"), as a
// browser stores it: without a Path attribute it applies to "/", without a Domain attribute to
// `host` alone. Max-Age 0 or below, or an Expires in the past, makes a cookie that deletes the
// stored one. nullopt for a value that is no cookie `host` may set: no "=" or an empty name, a
// control character, or a Domain that `host` is not in.
std::optional<Cookie> ParseSetCookie(text::TextView host, text::TextView setCookie);

// Whether the cookie can be stored and written as a cookie-list line: it has a domain and a
// name, and no field holds a control character.
bool IsStorableCookie(const Cookie& cookie);

// "[#HttpOnly_]domain TAB TRUE|FALSE TAB path TAB TRUE|FALSE TAB expires TAB name TAB value",
// a domain with subdomains written with a leading dot.
text::Text ToNetscapeLine(const Cookie& cookie);
// nullopt for a line without the seven fields, without a domain or a name, with an expiry that
// is no whole number, or with a control character in a field.
std::optional<Cookie> ParseNetscapeLine(text::TextView line);

// The cookies of a Netscape cookies file, as browsers' export tools and curl write it: one
// cookie line per line (LF or CR LF), with blank lines and "#" comments skipped ("#HttpOnly_"
// lines are cookies). `badLines` counts from 1 the lines that are none of these.
struct CookieFile {
  std::vector<Cookie> cookies;
  std::vector<std::size_t> badLines;
};
CookieFile ReadCookieFile(text::TextView content);
// A Netscape cookies file of `cookies` that ReadCookieFile reads back: a comment line, then one
// line each, LF-terminated.
text::Text CookieFileText(std::span<const Cookie> cookies);

}  // namespace web
