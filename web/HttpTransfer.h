#pragma once

// One HTTP/1.1 exchange over libcurl, with exactly the request line and headers given and
// nothing that libcurl would add on its own but Host and User-Agent.

#include <cstddef>
#include <vector>

#include "text/Text.h"
#include "web/RequestCancellation.h"

namespace web {

// A response body ends here: the transfer stops and keeps what it read so far.
inline constexpr std::size_t kMaxResponseBody = std::size_t{64} << 20;
// A header block larger than this ends the transfer; no server sends one.
inline constexpr std::size_t kMaxHeaderBlock = std::size_t{1} << 20;

struct HttpRequest {
  text::Text scheme;  // "http" or "https"
  text::Text host;
  int port = 80;
  text::Text objectPath;  // path and query, sent as they stand
  text::Text method;      // "GET" or "POST"
  text::Text userAgent;   // no User-Agent line when empty (or when a header line gives one)
  std::vector<text::Text> headerLines;  // sent in this order, after Host and User-Agent
  text::ByteBuffer body;                // the POST body
  text::Text proxy;                     // host:port of an HTTP proxy, or empty
  bool followRedirects = true;
  bool useCookieStore = true;  // send the stored cookies and keep what responses set
};

// The raw header block of one response and the host that sent it.
struct ResponseHead {
  text::Text host;
  text::Text block;  // status line and header lines, each ending in CR LF, then CR LF
};

struct HttpResponse {
  bool made = false;  // false when the address could not be turned into a request at all
  text::ByteBuffer body;
  std::vector<ResponseHead> heads;  // every response in order; the final one last
};

// Performs the request, ending early when `cancellation` (may be null) is cancelled. Failures
// to connect or to read end the response where they happen: no head, or a partial body.
HttpResponse PerformHttpRequest(const HttpRequest& request, RequestCancellation* cancellation);

}  // namespace web
