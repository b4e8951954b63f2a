#include "collector/ServiceAddresses.h"

#include "text/Conversions.h"
#include "text/TextOps.h"

namespace collector {

using text::Concat;
using text::Text;
using text::TextView;

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
