#pragma once

// A cookie in the two stores that must agree: the browser engine's (QNetworkCookie, set for an
// origin) and the collector's (web::Cookie).

#include <QNetworkCookie>
#include <QUrl>
#include <optional>

#include "web/Cookie.h"

namespace browser {

// A cookie the browser's store reported, as the collector's store keeps it: a domain with a
// leading dot applies to its subdomains too, one without applies to that host alone. nullopt for
// a cookie the collector's store cannot hold (no domain or name, a control character).
std::optional<web::Cookie> CookieFromBrowser(const QNetworkCookie& cookie);

// A cookie of the collector's store as the browser's store takes it. A cookie for one host
// alone carries no domain, since the browser would widen any domain to its subdomains; the
// origin then names the host. The origin also carries the cookie's scheme and path, so that a
// deletion aimed at it reaches the cookie.
struct BrowserCookie {
  QNetworkCookie cookie;
  QUrl origin;
};
BrowserCookie ToBrowserCookie(const web::Cookie& cookie);

}  // namespace browser
