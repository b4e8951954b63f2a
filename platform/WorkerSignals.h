#pragma once

// Signals that stop or interrupt the whole program (Ctrl-C, kill, a closed terminal) belong to
// its main thread, whose handlers may say so and exit. A worker thread keeps them off itself, so
// a handler never runs on a worker's stack in the middle of its work.

namespace platform {

// Blocks SIGINT, SIGTERM, SIGHUP and SIGQUIT for the calling thread and the threads it starts
// from now on; the process still receives them, on a thread that does not block them.
void KeepProgramSignalsOffThisThread();

}  // namespace platform
