#pragma once

// Runs the tervane-sim program for a test, the way end-to-end tests and scripts use it.

#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace test {

class SimProcess {
 public:
  // Starts tervane-sim with `arguments` and waits for its "listening on" line.
  explicit SimProcess(const std::vector<std::string>& arguments);
  // Stops the program (SIGTERM) and reaps it.
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool running() const { return m_port > 0; }
  int port() const { return m_port; }
  // "127.0.0.1:PORT".
  std::string serviceHost() const { return "127.0.0.1:" + std::to_string(m_port); }

 private:
  ChildProcess m_process;
  int m_port = 0;
};

}  // namespace test
