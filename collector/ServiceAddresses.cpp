#include "collector/ServiceAddresses.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "text/Conversions.h"
#include "text/TextOps.h"

namespace collector {

using text::Concat;
using text::Text;
using text::TextView;

bool IsValidServiceHost(std::string_view hostAndPort) {
  const std::size_t colon = hostAndPort.find(':');
  const std::string_view host = hostAndPort.substr(0, colon);
  const auto hostCharacter = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
  };
  if (host.empty() || !std::isalnum(static_cast<unsigned char>(host[0])) ||
      !std::all_of(host.begin(), host.end(), hostCharacter)) {
    return false;
  }
  if (colon == std::string_view::npos) return true;
  const std::string_view port = hostAndPort.substr(colon + 1);
  int number = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  return error == std::errc() && end == port.data() + port.size() && number >= 1 && number <= 65535;
}

Text ProfileAddress(TextView serviceHost, TextView path) {
  return Concat("http://", serviceHost, "/", path);
}

Text ListingAddress(TextView serviceHost, CollectType type, TextView postId) {
  TextView kind = "comment";
  TextView idParameter = "id=";
  if (type == CollectType::Repost) kind = "mblog/info";
  if (type == CollectType::Like) {
    kind = "like";
    idParameter = "mid=";
  }
  return Concat("http://", serviceHost, "/aj/", kind, "/big?_wv=5&", idParameter, postId);
}

Text ListingPageAddress(TextView listingAddress, text::Index page) {
  return Concat(listingAddress, "&page=", text::ToText(page));
}

}  // namespace collector
