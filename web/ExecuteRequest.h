#pragma once

// The body of a request worker: one request read from a record and answered into it.

#include "text/ByteStream.h"
#include "web/RequestCancellation.h"

namespace web {

// Reads the request record from the start of `stream`, makes the request and writes the record
// back: the body in the body slot, the cookies the final response set ("name=value;" each) and
// its raw header block in theirs. The caller's explicit cookies are sent as a Cookie line and
// keep the shared store out of a plain http request; otherwise the store supplies and keeps
// cookies. Every cookie a response sets is also stored for the host that set it. An address
// that cannot be requested empties the body and follow-redirects slots; a failed connection
// gives an empty body. A record that cannot be read is left alone. A cancelled request ends
// early and writes what it has.
void ExecuteRequest(text::ByteStream& stream, RequestCancellation* cancellation = nullptr);

}  // namespace web
