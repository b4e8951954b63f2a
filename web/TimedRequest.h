#pragma once

// A request under a time limit, made on a worker thread while the calling thread keeps its
// events running, and the page fetch of the collector on top of it.

#include <optional>

#include "platform/EventPump.h"
#include "text/Text.h"

namespace web {

// What a request that reached its time limit gives in place of the body.
inline constexpr text::TextView kTimeoutMessage =
    "\xB3\xAC\xCA\xB1\xB7\xB5\xBB\xD8\xA3\xAC\xD6\xB8\xB6\xA8\xCD\xF8\xD5\xBE\xB2\xBB\xC4\xDC"
    "\xB7\xC3\xCE\xCA\xA3\xAC\xBB\xF2\xD5\xDF\xC4\xE3\xB5\xC4\xCD\xF8\xC2\xE7\xB3\xF6\xCF\xD6"
    "\xCE\xCA\xCC\xE2\xA3\xAC\xC4\xE3\xBF\xC9\xD2\xD4\xB0\xD1\xB2\xCE\xCA\xFD\xD6\xD0\xB5\xC4"
    "\xA3\xA2\xB3\xAC\xCA\xB1\xB7\xB5\xBB\xD8\xA3\xA2\xB5\xC4\xD6\xB5\xC9\xE8\xD6\xC3\xB3\xA4"
    "\xD2\xBB\xD0\xA9\xA1\xA3";  // 超时返回，指定网站不能访问，……设置长一些。

// The time limit when the caller gives none.
inline constexpr int kDefaultTimeLimitMs = 60000;

// Everything about a request but its address; each member left alone takes the default.
struct RequestOptions {
  int method = 0;               // 1: POST; anything else: GET
  text::Text proxy{};           // host:port of an HTTP proxy; empty: a direct connection
  text::Text extraHeaders{};    // header lines, each ending in CR LF, sent besides the defaults
  text::ByteBuffer postData{};  // the POST body
  text::Text cookies{};         // a Cookie value to send; empty: the shared store's cookies
  std::optional<double> timeoutSeconds{};  // the time limit; kDefaultTimeLimitMs when absent
  text::Text* responseHeaders = nullptr;   // out: the final response's raw header block
  int decodeAs = 0;  // 1: UTF-8 body to local text; 2: Big5 body to simplified local text
  text::Text* responseCookies = nullptr;  // out: "name=value;" for each cookie the response set
  bool followRedirects = true;
};

// Requests `address` and returns the body (converted as `decodeAs` asks), kTimeoutMessage when
// the time limit passed first, or empty for a blank address or a failed connection. An address
// that does not begin with "http://" or "https://" (exact case) gets "http://" put in front,
// in the caller's variable. `pump` runs the caller's events while it waits; at the limit the
// call returns at once and the worker is cancelled. The output members are written only when
// given and only when the request did not time out.
text::ByteBuffer TimedRequest(platform::EventPump& pump, text::Text& address,
                              const RequestOptions& options = {});

// The page at `address` as local text: the body up to its first NUL byte, decoded from the
// encoding it declares or shows. After a time-out this is kTimeoutMessage. The time limit is
// kDefaultTimeLimitMs unless `timeoutSeconds` is given.
text::Text FetchPage(platform::EventPump& pump, text::Text& address,
                     std::optional<double> timeoutSeconds = std::nullopt);

}  // namespace web
