// Fetching listing pages from the simulator one after another through FetchPage, beside the
// same pages fetched by one curl command-line process in the same run: the ratio says what the
// worker thread, the record round trip and the page decoding cost over plain libcurl.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "platform/HeadlessEventPump.h"
#include "sim/Simulator.h"
#include "web/TimedRequest.h"

namespace {

using Clock = std::chrono::steady_clock;

// Runs `curl -s URL...` with its output thrown away; false when it could not run or failed.
bool RunCurl(const std::vector<std::string>& addresses) {
  std::vector<std::string> arguments{"curl", "-s"};
  arguments.insert(arguments.end(), addresses.begin(), addresses.end());
  return RunProgram(arguments).succeeded;
}

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

void FetchListingPages(benchmark::State& state) {
  const auto pages = static_cast<int>(state.range(0));
  sim::SimulatorOptions options;
  options.size = {.seed = 1, .posts = 1, .pages = pages, .usersPerPage = 20};
  sim::Simulator simulator(options);
  if (!simulator.Start()) {
    state.SkipWithError("the simulator did not start");
    return;
  }
  std::vector<std::string> addresses;
  for (int page = 1; page <= pages; ++page) {
    addresses.push_back("http://" + simulator.ServiceHost() + "/aj/comment/big?_wv=5&id=" +
                        simulator.fixture().posts()[0].mid + "&page=" + std::to_string(page));
  }
  platform::HeadlessEventPump pump;
  double ours = 0;
  double curl = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (std::string address : addresses) {
      if (web::FetchPage(pump, address).find("totalpage") == std::string::npos) {
        state.SkipWithError("a page came back without its listing");
        return;
      }
    }
    const auto fetched = Clock::now();
    if (!RunCurl(addresses)) {
      state.SkipWithError("the curl command failed");
      return;
    }
    ours += Seconds(fetched - start);
    curl += Seconds(Clock::now() - fetched);
    state.SetIterationTime(Seconds(fetched - start));
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["pages_per_s"] = pages * rounds / ours;
  state.counters["curl_pages_per_s"] = pages * rounds / curl;
  // Above 1 FetchPage is faster than the command line, below 1 slower.
  state.counters["ratio_to_curl"] = curl / ours;
}
BENCHMARK(FetchListingPages)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
