#include "web/ExecuteRequest.h"

#include "text/Conversions.h"
#include "text/TextOps.h"
#include "web/HttpTransfer.h"
#include "web/RequestHeaders.h"
#include "web/RequestRecord.h"
#include "web/SessionShare.h"
#include "web/UrlParts.h"

namespace web {

using text::Text;
using text::TextView;

namespace {

std::vector<Text> HeaderLinesOf(TextView headers) {
  std::vector<Text> lines;
  for (Text line : text::Split(headers, "\n")) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

HttpRequest RequestFrom(const RequestRecord& record) {
  const Text address = text::ToText(record[kAddressSlot]);
  const Text cookies = text::ToText(record[kCookiesSlot]);
  const bool secure = IsSecureAddress(address);
  HttpRequest request;
  request.scheme = secure ? "https" : "http";
  request.host = UrlHost(address);
  request.port = RequestPort(address);
  request.objectPath = UrlObjectPath(address);
  request.method = text::ToText(record[kMethodSlot]);
  const Text headers = text::ToText(record[kHeadersSlot]);
  request.userAgent = RequestUserAgent(headers);
  request.body = record[kPostDataSlot];
  request.headerLines = HeaderLinesOf(
      CompleteRequestHeaders(headers, address, request.method, request.body.size(), cookies));
  // The proxy is one for http only, as the platform client was told ("http=host:port").
  if (!secure) request.proxy = text::ToText(record[kProxySlot]);
  // A TLS request always follows redirects and always uses the store, explicit cookies or not.
  request.followRedirects = secure || text::ToText(record[kFollowRedirectsSlot]) == text::kTrueText;
  request.useCookieStore = secure || text::Trim(cookies).empty();
  return request;
}

}  // namespace

void ExecuteRequest(text::ByteStream& stream, RequestCancellation* cancellation) {
  RequestRecord record(kRequestRecordSlots);
  if (!text::StreamSeekToStart(stream) || !text::StreamReadData(stream, record)) return;
  const HttpRequest request = RequestFrom(record);
  HttpResponse response;
  if (request.method == "GET" || request.method == "POST") {
    response = PerformHttpRequest(request, cancellation);
  } else {
    response.made = true;  // any other method sends nothing and reads nothing
  }
  if (!response.made) {
    record[kBodySlot].clear();
    record[kFollowRedirectsSlot].clear();
  } else {
    record[kBodySlot] = std::move(response.body);
    // Every response's cookies are stored; the final response's are also listed.
    std::vector<Text> cookies;
    for (const ResponseHead& head : response.heads) {
      cookies = SetCookieValues(text::UpToNul(head.block));
      for (const Text& value : cookies) {
        SessionShare::Instance().StoreResponseCookie(head.host, value);
      }
    }
    record[kResponseCookiesSlot] = text::ToBytes(ResponseCookieList(cookies));
    record[kResponseHeadSlot] =
        text::ToBytes(response.heads.empty() ? Text() : response.heads.back().block);
  }
  text::StreamSeekToStart(stream);
  text::StreamWriteData(stream, record);
}

}  // namespace web
