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
  if (m_waiter) m_waiter->Wake();
}

bool RequestJob::Finished() {
  const std::lock_guard lock(m_mutex);
  return m_finished;
}

void RequestJob::Release(bool cancel) {
  {
    const std::lock_guard lock(m_mutex);
    m_waiter = nullptr;
  }
  if (cancel) m_cancellation.Cancel();
}

}  // namespace web
