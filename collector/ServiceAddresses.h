#pragma once

// The addresses Tervane builds on the service: everything derives from one host value.

#include <string_view>

#include "collector/CollectType.h"
#include "text/Text.h"

namespace collector {

inline constexpr text::TextView kDefaultServiceHost = "weibo.com";

// Whether `hostAndPort` can be the service host: a host name or IPv4 address that begins with a
// letter or digit, and an optional ":PORT" from 1 to 65535.
bool IsValidServiceHost(std::string_view hostAndPort);

// "http://" + host + "/" + path.
text::Text ProfileAddress(text::TextView serviceHost, text::TextView path);

// Page 1 of a post's listing of `type`: the asynchronous listing endpoint with the post id as
// "id=" (comments, reposts) or "mid=" (likes), nothing escaped.
text::Text ListingAddress(text::TextView serviceHost, CollectType type, text::TextView postId);

// Page `page` (2 or later) of the listing whose page 1 is at `listingAddress`.
text::Text ListingPageAddress(text::TextView listingAddress, text::Index page);

}  // namespace collector
