// tervane-collect as a whole against the simulator. The page rate is set beside FetchPage over
// the same pages in this process, measured in the same iteration, so the ratio is what the
// engine costs on top of fetching: the process, the post page, the escape decoding, the entry
// extraction and the output. Peak memory is set beside the size of the output it collected.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSimulator.h"
#include "ChildRun.h"
#include "RateComparison.h"
#include "platform/HeadlessEventPump.h"
#include "web/TimedRequest.h"

namespace {

std::vector<std::string> CollectCommand(const sim::Simulator& simulator,
                                        std::vector<std::string> options) {
  std::vector<std::string> command{
      TERVANE_COLLECT_PATH, "--service-host", simulator.ServiceHost(), "--delay", "0,0", "--quiet"};
  command.insert(command.end(), options.begin(), options.end());
  command.push_back(simulator.PostAddresses().front());
  return command;
}

void CollectPost(benchmark::State& state) {
  const auto pages = static_cast<int>(state.range(0));
  const std::unique_ptr<sim::Simulator> simulator = StartSimulator(state, pages, 20);
  if (!simulator) return;
  // What the collector fetches: the post page, then every listing page.
  std::vector<std::string> addresses{simulator->PostAddresses().front()};
  for (const std::string& address : ListingPageAddresses(*simulator, pages)) {
    addresses.push_back(address);
  }
  const std::vector<std::string> command = CollectCommand(*simulator, {});

  platform::HeadlessEventPump pump;
  const auto fetch = [&] {
    for (std::string address : addresses) {
      web::FetchPage(pump, address);
    }
    return true;
  };
  // The ratio is below 1 by the engine's share of the time.
  CompareRates(
      state, {pages, "pages"}, [&] { return RunProgram(command).succeeded; }, fetch, "fetch");
}
BENCHMARK(CollectPost)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// One post of 10 000 pages of 100 users: 1 000 000 lines. Argument 0 writes them to standard
// output only, 1 also keeps them for --save, 2 keeps them for --dedupe and --save.
void CollectMillionLines(benchmark::State& state) {
  const std::unique_ptr<sim::Simulator> simulator = StartSimulator(state, 10000, 100);
  if (!simulator) return;
  const std::string output = "/tmp/tervane-bench-output.txt";
  const std::string saved = "/tmp/tervane-bench-saved.txt";
  std::vector<std::string> keep;
  if (state.range(0) >= 1) keep = {"--save", saved};
  if (state.range(0) == 2) keep.push_back("--dedupe");
  std::vector<std::string> collectOptions{"--encoding", "gbk"};
  collectOptions.insert(collectOptions.end(), keep.begin(), keep.end());
  const std::vector<std::string> command = CollectCommand(*simulator, collectOptions);

  ChildRun run;
  for (auto _ : state) {
    run = RunProgram(command, output);
    if (!run.succeeded) {
      state.SkipWithError("tervane-collect failed");
      return;
    }
  }
  struct stat written {};
  ::stat(output.c_str(), &written);
  std::remove(output.c_str());
  std::remove(saved.c_str());
  const double outputMiB = static_cast<double>(written.st_size) / (1 << 20);
  const double peakMiB = static_cast<double>(run.peakResidentKiB) / 1024;
  state.counters["output_MiB"] = outputMiB;
  state.counters["peak_rss_MiB"] = peakMiB;
  // Must stay below 4.
  state.counters["peak_to_output"] = peakMiB / outputMiB;
}
BENCHMARK(CollectMillionLines)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond);

}  // namespace
