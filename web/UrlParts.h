#pragma once

// The parts of a page address that a request is made of.

#include "text/Text.h"

namespace web {

// The host name in lower case (A to Z only), without scheme, path or port.
text::Text UrlHost(text::TextView address);
// The object to request: everything from the first "/" after the host (path, query and what
// follows them), or "/".
text::Text UrlObjectPath(text::TextView address);
// The port of an http address: what follows the first ":" of the authority read as a decimal
// number (0 when it does not start with one), or 80.
int UrlPort(text::TextView address);

// Whether the request goes over TLS: "https://" anywhere in the address, in any case.
bool IsSecureAddress(text::TextView address);
// The port a request to `address` connects to. A TLS request uses the port written in an
// address that begins with "https://", else 443; a plain one uses UrlPort.
int RequestPort(text::TextView address);

}  // namespace web
