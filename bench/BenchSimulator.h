#pragma once

// The service simulator as the page-rate benchmarks use it.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "sim/Simulator.h"

// A simulator of one post with `pages` comment pages of `users` users each, serving on loopback;
// null (with the benchmark ended) when it could not start.
std::unique_ptr<sim::Simulator> StartSimulator(benchmark::State& state, int pages, int users);

// The post's comment listing pages as the collector asks for them: page 1 at the listing
// address itself, later pages with "&page=N".
std::vector<std::string> ListingPageAddresses(const sim::Simulator& simulator, int pages);
