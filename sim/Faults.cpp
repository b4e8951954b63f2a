#include "sim/Faults.h"

#include <charconv>

namespace sim {
namespace {

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  return status == std::errc() && end == text.data() + text.size();
}

struct KindName {
  std::string_view name;
  FaultKind kind;
  bool needsValue;
};

constexpr KindName kKinds[] = {
    {"delay", FaultKind::Delay, true},
    {"reset", FaultKind::Reset, false},
    {"status", FaultKind::Status, true},
    {"redirect", FaultKind::Redirect, false},
    {"redirect-loop", FaultKind::RedirectLoop, false},
    {"oversize", FaultKind::Oversize, true},
};

}  // namespace

bool Fault::AppliesTo(bool listing, int listingPage) const {
  switch (scope) {
    case FaultScope::All:
      return true;
    case FaultScope::PostPages:
      return !listing;
    case FaultScope::Listings:
      return listing;
    case FaultScope::ListingPage:
      return listing && listingPage == page;
  }
  return false;
}

std::optional<Fault> ParseFault(std::string_view description, std::string& error) {
  Fault fault;
  if (const std::size_t at = description.find('@'); at != std::string_view::npos) {
    const std::string_view scope = description.substr(at + 1);
    description = description.substr(0, at);
    if (scope == "post") {
      fault.scope = FaultScope::PostPages;
    } else if (scope == "listing") {
      fault.scope = FaultScope::Listings;
    } else if (ReadNumber(scope, fault.page) && fault.page > 0) {
      fault.scope = FaultScope::ListingPage;
    } else {
      error = "fault scope must be post, listing or a page number: " + std::string(scope);
      return std::nullopt;
    }
  }
  std::string_view value;
  if (const std::size_t equals = description.find('='); equals != std::string_view::npos) {
    value = description.substr(equals + 1);
    description = description.substr(0, equals);
  }
  for (const KindName& kind : kKinds) {
    if (kind.name != description) continue;
    fault.kind = kind.kind;
    if (kind.needsValue && (!ReadNumber(value, fault.value) || fault.value < 0)) {
      error = "fault " + std::string(description) + " needs a number: " + std::string(description) +
              "=N";
      return std::nullopt;
    }
    return fault;
  }
  error = "unknown fault: " + std::string(description);
  return std::nullopt;
}

}  // namespace sim
