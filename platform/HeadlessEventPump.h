#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/EventPump.h"

namespace platform {

// The pump of a program without a window: there are no events to run, so a wait is a plain
// condition-variable wait for Wake or the deadline.
class HeadlessEventPump final : public EventPump {
 public:
  void ProcessPendingEvents() override {}
  void WaitForEvents(SteadyTime deadline) override;
  void Wake() override;

 private:
  std::mutex m_mutex;
  std::condition_variable m_woken;
  bool m_wakePending = false;
};

}  // namespace platform
