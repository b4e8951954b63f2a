#include "web/RequestJob.h"

#include <utility>

#include "web/ExecuteRequest.h"

namespace web {

RequestJob::RequestJob(text::ByteStream stream, platform::EventPump& waiter)
    : m_stream(std::move(stream)), m_waiter(&waiter) {}

void RequestJob::Run() {
  ExecuteRequest(m_stream, &m_cancellation);
  const std::lock_guard lock(m_mutex);
  m_finished = true;
  m_finishedAt = std::chrono::steady_clock::now();
  if (m_waiter) m_waiter->Wake();
}

bool RequestJob::Finished() {
  const std::lock_guard lock(m_mutex);
  return m_finished;
}

bool RequestJob::EndedBefore(platform::SteadyTime deadline) {
  const std::lock_guard lock(m_mutex);
  return m_finished && m_finishedAt < deadline;
}

void RequestJob::Release(bool cancel) {
  {
    const std::lock_guard lock(m_mutex);
    m_waiter = nullptr;
  }
  if (cancel) m_cancellation.Cancel();
}

}  // namespace web
