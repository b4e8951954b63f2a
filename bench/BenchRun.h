#pragma once

// Runs the benchmarks named on the command line (Google Benchmark's arguments) with the flatness
// report; gives the program's exit status. Every benchmark program's main ends here.
int RunBenchmarks(int argc, char** argv);
