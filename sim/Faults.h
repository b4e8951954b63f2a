#pragma once

// Faults the simulator can be told to show, for testing how a client copes with a bad server.

#include <optional>
#include <string>
#include <string_view>

namespace sim {

enum class FaultKind {
  Delay,         // wait `value` milliseconds before answering
  Reset,         // promise the whole body, send half of it, close the connection
  Status,        // answer with status `value` and an HTML error page
  Redirect,      // answer 302 to the same address marked as redirected, served normally
  RedirectLoop,  // answer 302 to the very same address, every time
  Oversize,      // pad the answer with spaces to `value` bytes
};

// Which requests a fault applies to.
enum class FaultScope { All, PostPages, Listings, ListingPage };

struct Fault {
  FaultKind kind = FaultKind::Delay;
  long long value = 0;
  FaultScope scope = FaultScope::All;
  int page = 0;  // for ListingPage

  bool AppliesTo(bool listing, int listingPage) const;
};

// Reads "KIND[=VALUE][@post|@listing|@PAGE]", KIND being delay, reset, status, redirect,
// redirect-loop or oversize; delay, status and oversize need a value. Gives nullopt and an
// explanation in `error` when the text is not a fault.
std::optional<Fault> ParseFault(std::string_view description, std::string& error);

}  // namespace sim
