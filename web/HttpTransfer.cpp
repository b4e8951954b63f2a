#include "web/HttpTransfer.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "text/TextOps.h"
#include "web/CurlHandles.h"
#include "web/SessionShare.h"
#include "web/UrlParts.h"

namespace web {

using text::Text;
using text::TextView;

namespace {

// Bytes a URL may not carry as they are; they travel percent-encoded.
bool NeedsEncoding(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F;
}

Text EncodeForUrl(TextView path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text encoded;
  encoded.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEncoding(byte)) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

// A host curl can be pointed at without reading part of it as something else.
bool IsUsableHost(TextView host) {
  return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || std::isalnum(byte) || c == '-' || c == '.' || c == '_';
  });
}

// What the callbacks collect while the transfer runs.
struct Collected {
  CURL* easy = nullptr;
  HttpResponse response;
  bool headComplete = true;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto& body = static_cast<Collected*>(user)->response.body;
  const size_t length = size * count;
  const size_t room = kMaxResponseBody - body.size();
  body.insert(body.end(), data, data + std::min(length, room));
  return length <= room ? length : 0;  // past the limit the transfer ends
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto& collected = *static_cast<Collected*>(user);
  const size_t length = size * count;
  TextView line(data, length);
  if (line.starts_with("HTTP/")) {
    const char* url = nullptr;
    curl_easy_getinfo(collected.easy, CURLINFO_EFFECTIVE_URL, &url);
    collected.response.heads.push_back({UrlHost(url ? url : ""), {}});
    collected.headComplete = false;
  }
  // Lines after a block's empty line are trailers, which are not part of the block.
  if (collected.headComplete) return length;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  Text& block = collected.response.heads.back().block;
  if (block.size() + line.size() + 2 > kMaxHeaderBlock) return 0;
  block.append(line).append("\r\n");
  collected.headComplete = line.empty();
  return length;
}

void SetRequestOptions(CURL* easy, const HttpRequest& request, const Text& url, curl_slist* headers,
                       Collected& collected) {
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  SessionShare::Instance().Attach(easy);
  if (request.useCookieStore) curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
  curl_easy_setopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  if (request.method == "POST") {
    static constexpr char kNoBody[] = "";
    curl_easy_setopt(
        easy, CURLOPT_POSTFIELDS,
        request.body.empty() ? kNoBody : reinterpret_cast<const char*>(request.body.data()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.body.size()));
  } else {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 20L);
  // An empty proxy also keeps libcurl from taking one from the environment.
  const Text proxy = request.proxy.empty() ? Text() : "http://" + request.proxy;
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &collected);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &collected);
}

// Drives the transfer, waking at once when the request is cancelled; gives its outcome.
CURLcode RunTransfer(CURL* easy, RequestCancellation* cancellation) {
  const MultiHandle multi(curl_multi_init());
  if (!multi) return CURLE_OUT_OF_MEMORY;
  curl_multi_add_handle(multi.get(), easy);
  if (cancellation) cancellation->Attach(multi.get());
  int running = 1;
  while (running > 0 && !(cancellation && cancellation->IsCancelled())) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
    if (running > 0 && curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr) != CURLM_OK) break;
  }
  if (cancellation) cancellation->Detach();
  CURLcode outcome = CURLE_ABORTED_BY_CALLBACK;
  int left = 0;
  while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
    if (message->msg == CURLMSG_DONE) outcome = message->data.result;
  }
  curl_multi_remove_handle(multi.get(), easy);
  return outcome;
}

void AppendLine(HeaderList& list, const char* line) {
  if (curl_slist* longer = curl_slist_append(list.get(), line)) {
    static_cast<void>(list.release());
    list.reset(longer);
  }
}

// The caller's lines, then entries without a value, which only stop libcurl from adding those
// headers on its own.
HeaderList HeaderLines(const HttpRequest& request) {
  HeaderList list;
  for (const Text& line : request.headerLines) {
    AppendLine(list, line.c_str());
  }
  AppendLine(list, "Accept:");
  AppendLine(list, "Expect:");
  if (request.method == "POST") {
    AppendLine(list, "Content-Type:");
    if (request.body.empty()) AppendLine(list, "Content-Length:");
  }
  return list;
}

}  // namespace

HttpResponse PerformHttpRequest(const HttpRequest& request, RequestCancellation* cancellation) {
  if (!IsUsableHost(request.host) || request.port < 1 || request.port > 65535) return {};
  const EasyHandle easy(curl_easy_init());
  if (!easy) return {};
  HeaderList headers = HeaderLines(request);
  const Text url = text::Concat(request.scheme, "://", request.host, ":",
                                std::to_string(request.port), EncodeForUrl(request.objectPath));
  Collected collected;
  collected.easy = easy.get();
  collected.response.made = true;
  SetRequestOptions(easy.get(), request, url, headers.get(), collected);
  const CURLcode outcome = RunTransfer(easy.get(), cancellation);
  // An address libcurl cannot read is a request that was never made.
  if (outcome == CURLE_URL_MALFORMAT || outcome == CURLE_UNSUPPORTED_PROTOCOL) return {};
  return std::move(collected.response);
}

}  // namespace web
