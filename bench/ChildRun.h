#pragma once

// Running another program from a benchmark, with its output thrown away or kept in a file.

#include <sys/resource.h>

#include <string>
#include <vector>

struct ChildRun {
  bool succeeded = false;    // it ran and exited with status 0
  long peakResidentKiB = 0;  // its largest resident set
};

// Runs `arguments` (the program first, looked up in PATH) with standard output going to
// `outputPath` (or /dev/null when empty) and standard error to /dev/null, and waits for it.
ChildRun RunProgram(const std::vector<std::string>& arguments, const std::string& outputPath = "");
