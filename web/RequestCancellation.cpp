#include "web/RequestCancellation.h"

namespace web {

void RequestCancellation::Cancel() {
  const std::lock_guard lock(m_mutex);
  m_cancelled = true;
  if (m_multi) curl_multi_wakeup(m_multi);
}

bool RequestCancellation::IsCancelled() {
  const std::lock_guard lock(m_mutex);
  return m_cancelled;
}

void RequestCancellation::Attach(CURLM* multi) {
  const std::lock_guard lock(m_mutex);
  m_multi = multi;
}

void RequestCancellation::Detach() {
  const std::lock_guard lock(m_mutex);
  m_multi = nullptr;
}

}  // namespace web
