// The entry point of the benchmark programs that need nothing set up first.

#include "BenchRun.h"

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv);
}
