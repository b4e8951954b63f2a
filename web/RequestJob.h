#pragma once

// One request handed to a worker thread: the stream that holds its record, its cancellation,
// and the signal to the waiting caller's event pump when it ends.

#include <mutex>

#include "platform/EventPump.h"
#include "text/ByteStream.h"
#include "web/RequestCancellation.h"

namespace web {

class RequestJob {
 public:
  RequestJob(text::ByteStream stream, platform::EventPump& waiter);

  // On the worker thread: makes the request, then marks the job finished and wakes the waiter.
  void Run();
  bool Finished();
  // Whether the request ended before `deadline`, however late the caller noticed it.
  bool EndedBefore(platform::SteadyTime deadline);
  // The caller stops waiting: the worker no longer wakes its pump. With `cancel` the request
  // also ends as soon as it can and its result is left unread.
  void Release(bool cancel);

  // Read only once Finished() is true; the worker no longer touches it then.
  text::ByteStream& stream() { return m_stream; }

 private:
  text::ByteStream m_stream;
  RequestCancellation m_cancellation;
  std::mutex m_mutex;
  bool m_finished = false;
  platform::SteadyTime m_finishedAt;
  platform::EventPump* m_waiter;
};

}  // namespace web
