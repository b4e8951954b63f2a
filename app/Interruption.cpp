#include "app/Interruption.h"

#include <unistd.h>

#include <atomic>

namespace app {
namespace {

std::atomic<int> g_interrupts{0};
static_assert(std::atomic<int>::is_always_lock_free, "used from a signal handler");

template <std::size_t size>
void Say(const char (&message)[size]) {
  [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message, size - 1);
}

// Only async-signal-safe calls here: an atomic counter, write and _exit.
void OnInterrupt(int) {
  if (g_interrupts.fetch_add(1) == 0) {
    Say("\ntervane-collect: stopping after the page under work (Ctrl-C again quits at once)\n");
    return;
  }
  Say("tervane-collect: interrupted again, quitting\n");
  ::_exit(130);
}

}  // namespace

InterruptionGuard::InterruptionGuard() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &m_previous);
}

InterruptionGuard::~InterruptionGuard() {
  sigaction(SIGINT, &m_previous, nullptr);
}

bool InterruptionGuard::Interrupted() {
  return g_interrupts.load() > 0;
}

void InterruptiblePump::ProcessPendingEvents() {
  m_pump.ProcessPendingEvents();
  if (!m_told && InterruptionGuard::Interrupted()) {
    m_told = true;
    m_onInterrupt();
  }
}

}  // namespace app
