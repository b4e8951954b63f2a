#include "platform/HeadlessEventPump.h"

namespace platform {

void HeadlessEventPump::WaitForEvents(SteadyTime deadline) {
  std::unique_lock lock(m_mutex);
  m_woken.wait_until(lock, deadline, [this] { return m_wakePending; });
  m_wakePending = false;
}

void HeadlessEventPump::Wake() {
  {
    const std::lock_guard lock(m_mutex);
    m_wakePending = true;
  }
  m_woken.notify_all();
}

}  // namespace platform
