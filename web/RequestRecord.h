#pragma once

// The record that carries a request to its worker thread and the response back: seven byte
// buffers, written to and read from a byte stream in the length-prefixed record format.

#include <cstddef>
#include <vector>

#include "text/Text.h"

namespace web {

using RequestRecord = std::vector<text::ByteBuffer>;
inline constexpr std::size_t kRequestRecordSlots = 7;

// Slot indexes, named by what they carry going out / coming back.
enum RequestSlot : std::size_t {
  kAddressSlot = 0,         // the address / the response body
  kMethodSlot = 1,          // "GET" or "POST" / the cookies the response set
  kProxySlot = 2,           // host:port or empty
  kHeadersSlot = 3,         // the caller's header lines
  kPostDataSlot = 4,        // the POST body
  kCookiesSlot = 5,         // the cookies to send / the raw response header block
  kFollowRedirectsSlot = 6  // "真" to follow redirects
};
inline constexpr RequestSlot kBodySlot = kAddressSlot;
inline constexpr RequestSlot kResponseCookiesSlot = kMethodSlot;
inline constexpr RequestSlot kResponseHeadSlot = kCookiesSlot;

}  // namespace web
