#include "web/AbandonedWorkers.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "web/SessionShare.h"

namespace web {

AbandonedWorkers& AbandonedWorkers::Instance() {
  static AbandonedWorkers workers;
  return workers;
}

// Workers use the share, so it is made first and, static objects ending in reverse, outlives
// every worker joined here.
AbandonedWorkers::AbandonedWorkers() {
  SessionShare::Instance();
}

AbandonedWorkers::~AbandonedWorkers() {
  JoinAll();
}

void AbandonedWorkers::Adopt(std::thread worker, std::shared_ptr<RequestJob> job) {
  std::vector<Worker> ended;
  {
    const std::lock_guard lock(m_mutex);
    const auto firstEnded = std::partition(m_workers.begin(), m_workers.end(),
                                           [](Worker& kept) { return !kept.job->Finished(); });
    std::move(firstEnded, m_workers.end(), std::back_inserter(ended));
    m_workers.erase(firstEnded, m_workers.end());
    m_workers.push_back({std::move(worker), std::move(job)});
  }
  for (Worker& done : ended) {
    done.thread.join();
  }
}

void AbandonedWorkers::JoinAll() {
  std::vector<Worker> all;
  {
    const std::lock_guard lock(m_mutex);
    all.swap(m_workers);
  }
  for (Worker& worker : all) {
    worker.thread.join();
  }
}

std::size_t AbandonedWorkers::Count() {
  const std::lock_guard lock(m_mutex);
  return m_workers.size();
}

}  // namespace web
