#include "platform/WorkerSignals.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

#include <thread>

namespace {

bool Blocked(int signal) {
  sigset_t current;
  pthread_sigmask(SIG_BLOCK, nullptr, &current);
  return sigismember(&current, signal) == 1;
}

// A worker keeps the program's signals off itself and off the threads it starts; the thread that
// started it still takes them.
TEST(WorkerSignalsTest, WorkerAndItsThreadsBlockTheProgramsSignals) {
  ASSERT_FALSE(Blocked(SIGINT));
  bool worker = false;
  bool started = true;
  std::thread([&] {
    platform::KeepProgramSignalsOffThisThread();
    worker = Blocked(SIGINT) && Blocked(SIGTERM) && Blocked(SIGHUP) && Blocked(SIGQUIT) &&
             !Blocked(SIGUSR1);
    std::thread([&] { started = Blocked(SIGINT); }).join();
  }).join();
  EXPECT_TRUE(worker);
  EXPECT_TRUE(started);
  EXPECT_FALSE(Blocked(SIGINT));
}

}  // namespace
