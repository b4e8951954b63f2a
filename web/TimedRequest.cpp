#include "web/TimedRequest.h"

#include <chrono>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/WorkerSignals.h"
#include "text/ByteStream.h"
#include "text/Conversions.h"
#include "text/TextOps.h"
#include "web/AbandonedWorkers.h"
#include "web/LocalConversions.h"
#include "web/PageDecoding.h"
#include "web/RequestJob.h"
#include "web/RequestRecord.h"

namespace web {

using text::ByteBuffer;
using text::Text;

namespace {

std::chrono::milliseconds TimeLimit(const RequestOptions& options) {
  if (!options.timeoutSeconds) return std::chrono::milliseconds(kDefaultTimeLimitMs);
  return std::chrono::milliseconds(text::ToInteger(*options.timeoutSeconds * 1000));
}

RequestRecord RecordFor(const Text& address, const RequestOptions& options) {
  RequestRecord record(kRequestRecordSlots);
  record[kAddressSlot] = text::ToBytes(address);
  record[kMethodSlot] = text::ToBytes(options.method == 1 ? "POST" : "GET");
  record[kProxySlot] = text::ToBytes(options.proxy);
  record[kHeadersSlot] = text::ToBytes(options.extraHeaders);
  record[kPostDataSlot] = options.postData;
  record[kCookiesSlot] = text::ToBytes(options.cookies);
  record[kFollowRedirectsSlot] = text::ToBytes(text::ToText(options.followRedirects));
  return record;
}

// The record read back after the worker ended, turned into the caller's results.
ByteBuffer ResultsFrom(text::ByteStream& stream, const RequestOptions& options) {
  RequestRecord record(kRequestRecordSlots);
  if (!text::StreamSeekToStart(stream) || !text::StreamReadData(stream, record)) {
    return std::move(record[kBodySlot]);
  }
  if (options.responseHeaders) *options.responseHeaders = text::ToText(record[kResponseHeadSlot]);
  if (options.responseCookies) {
    *options.responseCookies = text::ToText(record[kResponseCookiesSlot]);
  }
  switch (options.decodeAs) {
    case 1:
      return text::ToBytes(Utf8ToLocal(text::ToText(record[kBodySlot])));
    case 2:
      return text::ToBytes(ToSimplifiedChinese(Big5ToLocal(text::ToText(record[kBodySlot]))));
    default:
      return std::move(record[kBodySlot]);
  }
}

}  // namespace

ByteBuffer TimedRequest(platform::EventPump& pump, Text& address, const RequestOptions& options) {
  if (text::Trim(address).empty()) return {};
  if (!address.starts_with("http://") && !address.starts_with("https://")) {
    address.insert(0, "http://");
  }
  text::ByteStream stream = text::OpenMemoryStream();
  if (!text::StreamWriteData(stream, RecordFor(address, options))) return {};

  auto job = std::make_shared<RequestJob>(std::move(stream), pump);
  std::thread worker;
  try {
    worker = std::thread([job] {
      platform::KeepProgramSignalsOffThisThread();
      job->Run();
    });
  } catch (const std::system_error&) {
    return {};  // no thread, no request
  }

  // Wakes for every event and for the worker's end, and leaves at the limit: a worker that
  // ends as the limit is reached counts as timed out. A worker that ended in time does not, even
  // when the caller only looks after the limit because a handler ran long in the meantime (a
  // modal dialog opened during the wait): the page has arrived and is not thrown away.
  const auto start = std::chrono::steady_clock::now();
  const std::chrono::milliseconds limit = TimeLimit(options);
  bool timedOut = false;
  while (true) {
    if (!job->Finished()) pump.WaitForEvents(start + limit);
    timedOut =
        std::chrono::steady_clock::now() - start >= limit && !job->EndedBefore(start + limit);
    pump.ProcessPendingEvents();
    if (timedOut || job->Finished()) break;
  }
  job->Release(timedOut);
  if (timedOut) {
    AbandonedWorkers::Instance().Adopt(std::move(worker), std::move(job));
    return text::ToBytes(kTimeoutMessage);
  }
  worker.join();
  return ResultsFrom(job->stream(), options);
}

Text FetchPage(platform::EventPump& pump, Text& address, std::optional<double> timeoutSeconds) {
  const ByteBuffer body = TimedRequest(pump, address, {.timeoutSeconds = timeoutSeconds});
  return DecodePageText(text::ToText(body));
}

}  // namespace web
