// The entry point of every benchmark program: Google Benchmark with the flatness report.

#include <benchmark/benchmark.h>

#include "FlatnessReporter.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FlatnessReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
