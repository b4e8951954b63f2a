#pragma once

// Stopping a request from another thread. The transfer registers the handle it waits on, so
// that a cancellation wakes it at once instead of at its next poll.

#include <curl/curl.h>

#include <mutex>

namespace web {

class RequestCancellation {
 public:
  // Asks the transfer to end as soon as it can. Any thread may call it, any number of times.
  void Cancel();
  bool IsCancelled();

  // Between these two calls a Cancel wakes `multi`; the transfer calls them around its wait.
  void Attach(CURLM* multi);
  void Detach();

 private:
  std::mutex m_mutex;
  bool m_cancelled = false;
  CURLM* m_multi = nullptr;
};

}  // namespace web
