#pragma once

// Owning pointers for libcurl's handles, so that every path out of a request releases them.

#include <curl/curl.h>

#include <memory>

namespace web {

struct EasyHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiHandleDeleter {
  void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

using EasyHandle = std::unique_ptr<CURL, EasyHandleDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiHandleDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

}  // namespace web
