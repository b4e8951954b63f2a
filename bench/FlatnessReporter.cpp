#include "FlatnessReporter.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kFlatLimit = 1.5;

double SecondsPerUnit(const benchmark::BenchmarkReporter::Run& run) {
  for (const char* rate : {"items_per_second", "bytes_per_second"}) {
    const auto found = run.counters.find(rate);
    if (found != run.counters.end() && found->second.value > 0) return 1.0 / found->second.value;
  }
  return 0.0;
}

}  // namespace

void FlatnessReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
    std::string name = run.benchmark_name();
    // The size is the last part of the name: "Family/Size" or "Family/Case/Size", before any
    // "/manual_time" or "/real_time" that says how the time was taken.
    for (const std::string timing : {"/manual_time", "/real_time"}) {
      if (name.ends_with(timing)) name.resize(name.size() - timing.size());
    }
    const auto slash = name.rfind('/');
    const std::string family = name.substr(0, slash);
    const std::string size = slash == std::string::npos ? "" : name.substr(slash + 1);
    const double cost = SecondsPerUnit(run);
    if (cost <= 0) continue;
    // With --benchmark_repetitions the fastest repetition of each size counts: it is the one
    // least disturbed by other work on the machine.
    auto& costs = m_costs[family];
    const auto same = std::find_if(costs.begin(), costs.end(),
                                   [&](const auto& entry) { return entry.first == size; });
    if (same == costs.end()) {
      costs.emplace_back(size, cost);
    } else {
      same->second = std::min(same->second, cost);
    }
  }
}

void FlatnessReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\nCost per unit relative to the smallest size (flat within %.1fx = linear):\n",
              kFlatLimit);
  for (const auto& [family, costs] : m_costs) {
    const double reference = costs.front().second;
    double worst = 1.0;
    std::printf("  %-28s", family.c_str());
    for (const auto& [size, cost] : costs) {
      worst = std::max(worst, cost / reference);
      std::printf("  %s: %.2fx (%.3g ns)", size.c_str(), cost / reference, cost * 1e9);
    }
    std::printf("  -> %s\n", worst <= kFlatLimit ? "flat" : "NOT FLAT");
  }
}
