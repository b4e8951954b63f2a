#pragma once

// Waiting on the thread that owns the user interface without freezing it. Every wait there
// goes through one pump: the window implements it over its event loop, the headless program
// and the tests over a plain condition variable.

#include <chrono>

namespace platform {

using SteadyTime = std::chrono::steady_clock::time_point;

class EventPump {
 public:
  virtual ~EventPump() = default;

  // Runs the events that are waiting now, then returns.
  virtual void ProcessPendingEvents() = 0;
  // Sleeps until an event is pending, Wake is called or `deadline` passes, whichever comes
  // first; returns at once when one of them has already happened. It may run the events it woke
  // for (the window's pump does, as Qt cannot wait without dispatching), so a caller must not
  // assume that no handler ran during the wait.
  virtual void WaitForEvents(SteadyTime deadline) = 0;
  // Ends the current or the next WaitForEvents. Any thread may call it.
  virtual void Wake() = 0;
};

}  // namespace platform
