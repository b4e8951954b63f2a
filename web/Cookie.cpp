#include "web/Cookie.h"

#include <curl/curl.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

#include "text/TextOps.h"

namespace web {

using text::Text;
using text::TextView;

namespace {

constexpr TextView kHttpOnlyPrefix = "#HttpOnly_";
TextView TrimBlanks(TextView text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == TextView::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A tab, line break or other control character would break the cookie-list line.
bool HasControlCharacter(TextView text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

bool IsIpAddress(TextView host) {
  return !host.empty() &&
         (host.front() == '[' || host.find_first_not_of("0123456789.") == TextView::npos);
}

// Whether `host` may set a cookie for `domain`: it is that domain or a name inside it. A bare
// top-level name is refused unless it is the host itself.
bool DomainAllowed(TextView host, TextView domain) {
  if (host == domain) return true;
  if (IsIpAddress(host) || domain.find('.') == TextView::npos) return false;
  return host.size() > domain.size() && host.ends_with(domain) &&
         host[host.size() - domain.size() - 1] == '.';
}

std::optional<std::int64_t> ReadInteger(TextView text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error == std::errc::result_out_of_range) {
    return text.starts_with('-') ? std::numeric_limits<std::int64_t>::min()
                                 : std::numeric_limits<std::int64_t>::max();
  }
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::int64_t ExpiryAfter(std::int64_t seconds) {
  if (seconds <= 0) return kDeletingExpiry;
  const std::int64_t now = std::time(nullptr);
  return seconds > std::numeric_limits<std::int64_t>::max() - now
             ? std::numeric_limits<std::int64_t>::max()
             : now + seconds;
}

std::int64_t ExpiryAt(TextView date) {
  const time_t when = curl_getdate(Text(date).c_str(), nullptr);
  if (when == -1) return 0;
  return std::max<std::int64_t>(when, kDeletingExpiry);
}

// Applies one "name=value" or "name" attribute; false when it makes the cookie invalid.
bool ApplyAttribute(TextView host, TextView attribute, Cookie& cookie, bool& maxAgeSeen) {
  const std::size_t equals = attribute.find('=');
  const Text name = text::ToLower(TrimBlanks(attribute.substr(0, equals)));
  const TextView value =
      equals == TextView::npos ? TextView() : TrimBlanks(attribute.substr(equals + 1));
  if (name == "domain") {
    TextView domain = value;
    if (domain.starts_with('.')) domain.remove_prefix(1);
    if (domain.empty()) return true;
    const Text lowered = text::ToLower(domain);
    if (!DomainAllowed(host, lowered)) return false;
    cookie.domain = lowered;
    cookie.includeSubdomains = !IsIpAddress(host);
  } else if (name == "path") {
    if (value.starts_with('/')) cookie.path = Text(value);
  } else if (name == "max-age") {
    if (const auto seconds = ReadInteger(value)) {
      cookie.expires = ExpiryAfter(*seconds);
      maxAgeSeen = true;
    }
  } else if (name == "expires") {
    if (!maxAgeSeen) cookie.expires = ExpiryAt(value);
  } else if (name == "secure") {
    cookie.secure = true;
  } else if (name == "httponly") {
    cookie.httpOnly = true;
  }
  return true;
}

std::vector<TextView> SplitView(TextView text, char separator) {
  std::vector<TextView> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == TextView::npos ? TextView::npos : end - start));
    if (end == TextView::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::optional<Cookie> ParseSetCookie(TextView host, TextView setCookie) {
  if (HasControlCharacter(setCookie) || host.empty()) return std::nullopt;
  const std::vector<TextView> parts = SplitView(setCookie, ';');
  const std::size_t equals = parts.front().find('=');
  if (equals == TextView::npos) return std::nullopt;
  Cookie cookie;
  cookie.name = Text(TrimBlanks(parts.front().substr(0, equals)));
  cookie.value = Text(TrimBlanks(parts.front().substr(equals + 1)));
  if (cookie.name.empty()) return std::nullopt;
  cookie.domain = text::ToLower(host);
  bool maxAgeSeen = false;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!ApplyAttribute(cookie.domain, parts[i], cookie, maxAgeSeen)) return std::nullopt;
  }
  return cookie;
}

bool IsStorableCookie(const Cookie& cookie) {
  return !cookie.domain.empty() && !cookie.name.empty() && !HasControlCharacter(cookie.domain) &&
         !HasControlCharacter(cookie.path) && !HasControlCharacter(cookie.name) &&
         !HasControlCharacter(cookie.value);
}

Text ToNetscapeLine(const Cookie& cookie) {
  const auto flag = [](bool on) { return on ? "TRUE" : "FALSE"; };
  return text::Concat(cookie.httpOnly ? kHttpOnlyPrefix : "", cookie.includeSubdomains ? "." : "",
                      cookie.domain, "\t", flag(cookie.includeSubdomains), "\t", cookie.path, "\t",
                      flag(cookie.secure), "\t", std::to_string(cookie.expires), "\t", cookie.name,
                      "\t", cookie.value);
}

std::optional<Cookie> ParseNetscapeLine(TextView line) {
  Cookie cookie;
  if (line.starts_with(kHttpOnlyPrefix)) {
    cookie.httpOnly = true;
    line.remove_prefix(kHttpOnlyPrefix.size());
  }
  const std::vector<TextView> fields = SplitView(line, '\t');
  if (fields.size() != 7 || fields[0].empty() || fields[5].empty()) return std::nullopt;
  for (const TextView field : fields) {
    if (HasControlCharacter(field)) return std::nullopt;
  }
  TextView domain = fields[0];
  if (domain.starts_with('.')) domain.remove_prefix(1);
  cookie.domain = text::ToLower(domain);
  cookie.includeSubdomains = fields[1] == "TRUE";
  cookie.path = Text(fields[2]);
  cookie.secure = fields[3] == "TRUE";
  const auto expires = ReadInteger(fields[4]);
  if (!expires) return std::nullopt;
  cookie.expires = *expires;
  cookie.name = Text(fields[5]);
  cookie.value = Text(fields[6]);
  return cookie;
}

CookieFile ReadCookieFile(TextView content) {
  CookieFile file;
  std::size_t lineNumber = 0;
  for (TextView line : SplitView(content, '\n')) {
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (TrimBlanks(line).empty()) continue;
    if (line.starts_with('#') && !line.starts_with(kHttpOnlyPrefix)) continue;
    if (std::optional<Cookie> cookie = ParseNetscapeLine(line)) {
      file.cookies.push_back(std::move(*cookie));
    } else {
      file.badLines.push_back(lineNumber);
    }
  }
  return file;
}

Text CookieFileText(std::span<const Cookie> cookies) {
  Text file = "# Netscape HTTP Cookie File\n";
  for (const Cookie& cookie : cookies) {
    file.append(ToNetscapeLine(cookie)).push_back('\n');
  }
  return file;
}

}  // namespace web
