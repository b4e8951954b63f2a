#include "browser/BrowserCookies.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>

#include "text/TextOps.h"

namespace browser {
namespace {

text::Text BytesOf(const QByteArray& bytes) {
  return text::Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray ToByteArray(const text::Text& text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::optional<web::Cookie> CookieFromBrowser(const QNetworkCookie& cookie) {
  web::Cookie converted;
  QString domain = cookie.domain();
  converted.includeSubdomains = domain.startsWith(QLatin1Char('.'));
  if (converted.includeSubdomains) domain.remove(0, 1);
  converted.domain = text::ToLower(BytesOf(domain.toUtf8()));
  if (!cookie.path().isEmpty()) converted.path = BytesOf(cookie.path().toUtf8());
  converted.secure = cookie.isSecure();
  converted.httpOnly = cookie.isHttpOnly();
  if (!cookie.isSessionCookie()) {
    converted.expires =
        std::max<std::int64_t>(cookie.expirationDate().toSecsSinceEpoch(), web::kDeletingExpiry);
  }
  converted.name = BytesOf(cookie.name());
  converted.value = BytesOf(cookie.value());
  if (!web::IsStorableCookie(converted)) return std::nullopt;
  return converted;
}

BrowserCookie ToBrowserCookie(const web::Cookie& cookie) {
  BrowserCookie converted{QNetworkCookie(ToByteArray(cookie.name), ToByteArray(cookie.value)),
                          QUrl()};
  const QString domain = QString::fromUtf8(ToByteArray(cookie.domain));
  if (cookie.includeSubdomains) converted.cookie.setDomain(QLatin1Char('.') + domain);
  const QString path = QString::fromUtf8(ToByteArray(cookie.path));
  converted.cookie.setPath(path);
  converted.cookie.setSecure(cookie.secure);
  converted.cookie.setHttpOnly(cookie.httpOnly);
  if (cookie.expires != 0) {
    converted.cookie.setExpirationDate(
        QDateTime::fromSecsSinceEpoch(cookie.expires, QTimeZone::utc()));
  }
  converted.origin.setScheme(cookie.secure ? QStringLiteral("https") : QStringLiteral("http"));
  converted.origin.setHost(domain);
  converted.origin.setPath(path);
  return converted;
}

}  // namespace browser
