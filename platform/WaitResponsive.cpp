#include "platform/WaitResponsive.h"

#include <chrono>
#include <thread>

namespace platform {

void WaitResponsive(EventPump& pump, long long milliseconds) {
  constexpr long long kStepMs = 10;
  for (long long elapsed = 0; elapsed < milliseconds; elapsed += kStepMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
    pump.ProcessPendingEvents();
  }
}

}  // namespace platform
