#pragma once

#include <atomic>

#include "platform/EventPump.h"

namespace ui {

// The window thread's pump: waits inside Qt's event loop, so the window is redrawn and its
// handlers run (nested) while a collection waits for a reply or a delay.
class QtEventPump final : public platform::EventPump {
 public:
  void ProcessPendingEvents() override;
  // Returns after the next batch of events has run, at the deadline or at a Wake, whichever
  // comes first. Unlike the headless pump it runs the events it waited for.
  void WaitForEvents(platform::SteadyTime deadline) override;
  void Wake() override;

 private:
  std::atomic<bool> m_wakePending = false;
};

}  // namespace ui
