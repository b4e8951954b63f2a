#pragma once

#include <filesystem>
#include <vector>

#include "sim/Fixture.h"

namespace sim {

// Writes a fixture set's files into `folder` (created when missing), all local (GBK) text with
// CR LF line breaks: "addresses.txt" with the post addresses, and for each listing the lines a
// collector must produce with the default template over all pages of all posts:
// "expected-LISTING.txt" with whole times and "expected-LISTING-date.txt" with the dates that
// the date-only box gives on `today`. False when a file cannot be written.
bool WriteFixtureFiles(const Fixture& fixture, const std::vector<std::string>& addresses,
                       text::TextView serviceHost, const text::DateTime& today,
                       const std::filesystem::path& folder);

}  // namespace sim
