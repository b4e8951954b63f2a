#include "sim/FixtureFiles.h"

#include <system_error>

#include "text/WholeFile.h"

namespace sim {

bool WriteFixtureFiles(const Fixture& fixture, const std::vector<std::string>& addresses,
                       text::TextView serviceHost, const text::DateTime& today,
                       const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  text::Text list;
  for (const std::string& address : addresses) {
    list += address + "\r\n";
  }
  bool written = text::WriteWholeFile(folder / "addresses.txt", list);
  for (const Listing listing : kListings) {
    const std::string name = std::string("expected-") + ListingName(listing);
    written = text::WriteWholeFile(folder / (name + ".txt"),
                                   fixture.ExpectedLines(listing, serviceHost, false, today)) &&
              written;
    written = text::WriteWholeFile(folder / (name + "-date.txt"),
                                   fixture.ExpectedLines(listing, serviceHost, true, today)) &&
              written;
  }
  return written;
}

}  // namespace sim
