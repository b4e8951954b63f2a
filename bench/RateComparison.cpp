#include "RateComparison.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

}  // namespace

void CompareRates(benchmark::State& state, int pages, const std::function<bool()>& measured,
                  const std::function<bool()>& reference, const std::string& referenceName) {
  double measuredSeconds = 0;
  double referenceSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!measured()) {
      state.SkipWithError("the measured run failed");
      return;
    }
    const auto middle = Clock::now();
    if (!reference()) {
      state.SkipWithError(("the " + referenceName + " run failed").c_str());
      return;
    }
    measuredSeconds += Seconds(middle - start);
    referenceSeconds += Seconds(Clock::now() - middle);
    state.SetIterationTime(Seconds(middle - start));
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["pages_per_s"] = pages * rounds / measuredSeconds;
  state.counters[referenceName + "_pages_per_s"] = pages * rounds / referenceSeconds;
  state.counters["ratio_to_" + referenceName] = referenceSeconds / measuredSeconds;
}
