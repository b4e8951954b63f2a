#include "RateComparison.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

}  // namespace

void CompareRates(benchmark::State& state, const RateWork& work,
                  const std::function<bool()>& measured, const std::function<bool()>& reference,
                  const std::string& referenceName) {
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
  const double done = static_cast<double>(work.count) * static_cast<double>(state.iterations());
  state.SetItemsProcessed(work.count * static_cast<std::int64_t>(state.iterations()));
  state.counters[work.unit + "_per_s"] = done / measuredSeconds;
  state.counters[referenceName + "_" + work.unit + "_per_s"] = done / referenceSeconds;
  state.counters["ratio_to_" + referenceName] = referenceSeconds / measuredSeconds;
}
