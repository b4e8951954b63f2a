#pragma once

// A page rate set beside a reference rate measured in the same iteration, so that the ratio
// holds on a shared machine where absolute times drift.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

// Each iteration runs `measured`, then `reference`, both over the same `pages` pages; the
// iteration time is the measured run's. Reports pages_per_s, <name>_pages_per_s and
// ratio_to_<name>: the reference's time over the measured one's (above 1 the measured code is
// faster). Either returning false ends the benchmark with `failure`.
void CompareRates(benchmark::State& state, int pages, const std::function<bool()>& measured,
                  const std::function<bool()>& reference, const std::string& referenceName);
