#include "support/SimProcess.h"

#include <signal.h>

#include <cstdlib>

namespace test {

SimProcess::SimProcess(const std::vector<std::string>& arguments)
    : m_process(TERVANE_SIM_PATH, arguments, "", false) {
  constexpr std::string_view kPrefix = "listening on 127.0.0.1:";
  if (!m_process.WaitForOutput("\n") || !m_process.output().starts_with(kPrefix)) return;
  m_port = static_cast<int>(std::strtol(m_process.output().c_str() + kPrefix.size(), nullptr, 10));
}

SimProcess::~SimProcess() {
  m_process.Signal(SIGTERM);
  m_process.Finish();
}

}  // namespace test
