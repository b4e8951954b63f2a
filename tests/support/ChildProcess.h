#pragma once

// Runs a program of ours as a child process for a test: standard input from a string,
// standard output and standard error captured, signals, and the exit status.

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileHandle.h"

namespace test {

class ChildProcess {
 public:
  // Starts `program` with `arguments`. Standard input gets `input` and then its end; standard
  // error is captured only with `captureErrors` (else it goes where the test's goes).
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               std::string input = "", bool captureErrors = true);
  // Kills a program still running and reaps it.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return m_pid > 0; }
  void Signal(int signal);

  // Reads until what was captured so far from standard output (or error) holds `text`; false
  // when the program closed it first.
  bool WaitForOutput(std::string_view text);
  bool WaitForErrors(std::string_view text);

  // Reads both to their end and reaps the program: its exit status, or 128 + the signal that
  // ended it.
  int Finish();
  const std::string& output() const { return m_output; }
  const std::string& errors() const { return m_errors; }

 private:
  // Moves data through the pipes until `done` holds or every pipe is closed.
  template <typename Done>
  bool PumpUntil(Done done);

  pid_t m_pid = -1;
  std::string m_input;
  platform::FileHandle m_in;
  platform::FileHandle m_out;
  platform::FileHandle m_err;
  std::string m_output;
  std::string m_errors;
};

}  // namespace test
