#pragma once

#include "platform/EventPump.h"

namespace platform {

// Waits `milliseconds` on the thread that owns the user interface, in steps of 10 ms with the
// pending events run after each step. The steps are counted rather than timed, so the wait is a
// whole number of steps (15 ms makes two) and events that take a while lengthen it; 0 or less
// does not wait at all.
void WaitResponsive(EventPump& pump, long long milliseconds);

}  // namespace platform
