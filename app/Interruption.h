#pragma once

// Ctrl-C for tervane-collect: the first one stops the run the way the window's stop button
// does, a second one quits at once.

#include <csignal>
#include <functional>

#include "platform/HeadlessEventPump.h"

namespace app {

// While it lives, SIGINT is caught: the first only sets a flag, the second ends the process
// with status 130 there and then.
class InterruptionGuard {
 public:
  InterruptionGuard();
  ~InterruptionGuard();
  InterruptionGuard(const InterruptionGuard&) = delete;
  InterruptionGuard& operator=(const InterruptionGuard&) = delete;

  static bool Interrupted();

 private:
  struct sigaction m_previous {};
};

// The headless pump, which also turns a caught Ctrl-C into one call of `onInterrupt` on the
// collecting thread, at the next point where a window would run its events.
class InterruptiblePump final : public platform::EventPump {
 public:
  explicit InterruptiblePump(std::function<void()> onInterrupt)
      : m_onInterrupt(std::move(onInterrupt)) {}

  void ProcessPendingEvents() override;
  void WaitForEvents(platform::SteadyTime deadline) override { m_pump.WaitForEvents(deadline); }
  void Wake() override { m_pump.Wake(); }

 private:
  platform::HeadlessEventPump m_pump;
  std::function<void()> m_onInterrupt;
  bool m_told = false;
};

}  // namespace app
