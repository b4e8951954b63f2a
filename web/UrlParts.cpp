#include "web/UrlParts.h"

#include <optional>

#include "text/Conversions.h"
#include "text/TextOps.h"

namespace web {

using text::Find;
using text::Index;
using text::Text;
using text::TextView;

namespace {

constexpr TextView kHttpScheme = "http://";
constexpr TextView kHttpsScheme = "https://";

// The authority after a scheme of `schemeLength` bytes: up to the first "/" or the end.
Text AuthorityAfter(TextView address, Index schemeLength) {
  const Index slash = Find(address, "/", schemeLength + 1);
  if (slash == text::kNotFound) return text::Mid(address, schemeLength + 1, text::Length(address));
  return text::Mid(address, schemeLength + 1, slash - schemeLength - 1);
}

// The text after the first ":" of an authority read as a decimal number, when there is a ":".
std::optional<int> ExplicitPort(TextView authority) {
  const Index colon = Find(authority, ":");
  if (colon == text::kNotFound) return std::nullopt;
  return text::ToInteger(authority.substr(static_cast<std::size_t>(colon)));
}

bool StartsWithScheme(TextView address, TextView scheme) {
  return text::CompareText(text::Left(address, text::Length(scheme)), scheme, false) == 0;
}

// The length of a leading "http://" or "https://" in any case, or 0.
Index SchemeLength(TextView address) {
  for (const TextView scheme : {kHttpScheme, kHttpsScheme}) {
    if (StartsWithScheme(address, scheme)) return text::Length(scheme);
  }
  return 0;
}

}  // namespace

Text UrlHost(TextView address) {
  Text host = text::ReplaceText(address, kHttpsScheme);
  host = text::ReplaceText(host, kHttpScheme);
  if (const Index slash = Find(host, "/"); slash != text::kNotFound) host.resize(slash - 1);
  if (const Index colon = Find(host, ":"); colon != text::kNotFound) host.resize(colon - 1);
  return text::ToLower(host);
}

Text UrlObjectPath(TextView address) {
  // The host is looked for after the scheme, so that a host such as "h" is not found in it.
  const Index hostAt = Find(address, UrlHost(address), SchemeLength(address) + 1, true);
  if (hostAt == text::kNotFound) return "/";
  const Index slash = Find(address, "/", hostAt);
  if (slash == text::kNotFound) return "/";
  return Text(address.substr(static_cast<std::size_t>(slash - 1)));
}

int UrlPort(TextView address) {
  const bool http = StartsWithScheme(address, kHttpScheme);
  const Index slash = Find(address, "/");
  const Text authority = http                       ? AuthorityAfter(address, 7)
                         : slash == text::kNotFound ? Text(address)
                                                    : text::Left(address, slash - 1);
  return ExplicitPort(authority).value_or(80);
}

bool IsSecureAddress(TextView address) {
  return Find(address, kHttpsScheme, 1, true) != text::kNotFound;
}

int RequestPort(TextView address) {
  if (!IsSecureAddress(address)) return UrlPort(address);
  if (StartsWithScheme(address, kHttpsScheme)) {
    if (const auto port = ExplicitPort(AuthorityAfter(address, 8))) return *port;
  }
  return 443;
}

}  // namespace web
