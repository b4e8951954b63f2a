#pragma once

// Request workers whose callers stopped waiting at their time limit. Each is cancelled and
// kept here until it ends; it is joined then, and at exit every one still running is, so no
// thread outlives the program.

#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "web/RequestJob.h"

namespace web {

class AbandonedWorkers {
 public:
  static AbandonedWorkers& Instance();

  AbandonedWorkers(const AbandonedWorkers&) = delete;
  AbandonedWorkers& operator=(const AbandonedWorkers&) = delete;

  // Takes a cancelled worker; joins the ones kept earlier that have ended meanwhile.
  void Adopt(std::thread worker, std::shared_ptr<RequestJob> job);
  // Waits for every worker kept here.
  void JoinAll();
  // Workers kept and not yet joined.
  std::size_t Count();

 private:
  AbandonedWorkers();
  ~AbandonedWorkers();

  struct Worker {
    std::thread thread;
    std::shared_ptr<RequestJob> job;
  };
  std::mutex m_mutex;
  std::vector<Worker> m_workers;
};

}  // namespace web
