#pragma once

// The header text of a request and the cookies of a response, as the request worker builds
// and reads them.

#include <vector>

#include "text/Text.h"

namespace web {

inline constexpr text::TextView kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";

// Put in a caller's header text, it asks for a request without a Referer line; it is taken
// out before the headers are sent.
inline constexpr text::TextView kNoRefererMarker = "RefererNo";

// The text between the first `left` after `start` and the next `right`, or empty. "#引号" in a
// marker stands for a double quote.
text::Text ValueBetween(text::TextView text, text::TextView left, text::TextView right,
                        text::Index start = 1, bool caseSensitive = false);
// The text before the first `marker` (exact case), or empty when there is none.
text::Text TextBefore(text::TextView text, text::TextView marker);

// The agent a request names: the value of the caller's "User-Agent:" line, trimmed, or
// kDefaultUserAgent.
text::Text RequestUserAgent(text::TextView headers);

// The caller's header text followed by the default lines it lacks, in order: Accept, Referer
// (or the marker removed), Accept-Language, for a POST with a body Content-Type and
// Content-Length, and the Cookie line when `cookies` is not empty. A method other than "GET"
// and "POST" gets the first three only.
text::Text CompleteRequestHeaders(text::TextView headers, text::TextView address,
                                  text::TextView method, std::size_t bodyLength,
                                  text::TextView cookies);

// The value of every Set-Cookie line of a raw header block (name=value and attributes), in
// header order.
std::vector<text::Text> SetCookieValues(text::TextView headerBlock);
// The cookie list a response reports: name=value followed by ";" for each Set-Cookie value.
text::Text ResponseCookieList(const std::vector<text::Text>& setCookieValues);

}  // namespace web
