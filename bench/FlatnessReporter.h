#pragma once

// Console output plus, per benchmark family, the cost per item (or byte) of each size as a
// ratio to the smallest size measured in the same run (the fastest repetition of each). Flat cost
// means linear growth; absolute times drift on shared machines, ratios within one process do not.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class FlatnessReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  // family -> (size argument, seconds per unit)
  std::map<std::string, std::vector<std::pair<std::string, double>>> m_costs;
};
