#include "platform/WorkerSignals.h"

#include <pthread.h>
#include <signal.h>

#include <initializer_list>

namespace platform {

void KeepProgramSignalsOffThisThread() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    sigaddset(&signals, signal);
  }
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

}  // namespace platform
