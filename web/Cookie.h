#pragma once

// One stored cookie, and the two text forms it travels in: the value of a Set-Cookie header
// and the tab-separated line of a Netscape cookies file (libcurl's cookie-list form).

#include <cstdint>
#include <optional>

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

// A cookie that `host` sets with the header value `setCookie` ("name=value; attributes"), as a
// browser stores it: without a Path attribute it applies to "/", without a Domain attribute to
// `host` alone. Max-Age 0 or below, or an Expires in the past, makes a cookie that deletes the
// stored one. nullopt for a value that is no cookie `host` may set: no "=" or an empty name, a
// control character, or a Domain that `host` is not in.
std::optional<Cookie> ParseSetCookie(text::TextView host, text::TextView setCookie);

// "[#HttpOnly_]domain TAB TRUE|FALSE TAB path TAB TRUE|FALSE TAB expires TAB name TAB value",
// a domain with subdomains written with a leading dot.
text::Text ToNetscapeLine(const Cookie& cookie);
std::optional<Cookie> ParseNetscapeLine(text::TextView line);

}  // namespace web
