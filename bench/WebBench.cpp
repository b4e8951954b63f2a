// Fetching listing pages from the simulator one after another through FetchPage, beside the
// same pages fetched by one curl command-line process in the same run: the ratio says what the
// worker thread, the record round trip and the page decoding cost over plain libcurl.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchSimulator.h"
#include "ChildRun.h"
#include "RateComparison.h"
#include "platform/HeadlessEventPump.h"
#include "web/TimedRequest.h"

namespace {

// Runs `curl -s URL...` with its output thrown away; false when it could not run or failed.
bool RunCurl(const std::vector<std::string>& addresses) {
  std::vector<std::string> arguments{"curl", "-s"};
  arguments.insert(arguments.end(), addresses.begin(), addresses.end());
  return RunProgram(arguments).succeeded;
}

void FetchListingPages(benchmark::State& state) {
  const auto pages = static_cast<int>(state.range(0));
  const std::unique_ptr<sim::Simulator> simulator = StartSimulator(state, pages, 20);
  if (!simulator) return;
  const std::vector<std::string> addresses = ListingPageAddresses(*simulator, pages);
  platform::HeadlessEventPump pump;
  const auto fetch = [&] {
    for (std::string address : addresses) {
      if (web::FetchPage(pump, address).find("totalpage") == std::string::npos) return false;
    }
    return true;
  };
  CompareRates(
      state, {pages, "pages"}, fetch, [&] { return RunCurl(addresses); }, "curl");
}
BENCHMARK(FetchListingPages)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
