#pragma once

// A rate set beside a reference rate measured in the same iteration, so that the ratio holds on
// a shared machine where absolute times drift.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

// What both runs of an iteration work on: `count` things called `unit` ("pages", "lines").
struct RateWork {
  long long count;
  std::string unit;
};

// Each iteration runs `measured`, then `reference`, both over the same work; the iteration time
// is the measured run's, and the items processed are the work's count. Reports <unit>_per_s,
// <name>_<unit>_per_s and ratio_to_<name>: the reference's time over the measured one's (above 1
// the measured code is faster). Either returning false ends the benchmark with an error.
void CompareRates(benchmark::State& state, const RateWork& work,
                  const std::function<bool()>& measured, const std::function<bool()>& reference,
                  const std::string& referenceName);
