#pragma once

// What every request of the process shares, as the platform's HTTP client did: one cookie
// store (which the login browser mirrors), the cache of open connections, the DNS cache and
// TLS sessions. libcurl keeps them in one CURLSH share guarded by our locks.

#include <curl/curl.h>

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "text/Text.h"
#include "web/Cookie.h"

namespace web {

class SessionShare {
 public:
  // The process's share, made on first use; it also sets up libcurl.
  static SessionShare& Instance();

  SessionShare(const SessionShare&) = delete;
  SessionShare& operator=(const SessionShare&) = delete;

  // Makes a request handle use the shared store, connections and caches.
  void Attach(CURL* easy);

  // Stores a cookie; one with an expiry in the past deletes the stored cookie of that domain,
  // path and name. A cookie that is not storable is left out.
  void StoreCookie(const Cookie& cookie);
  // Deletes the stored cookie of the same domain, subdomain rule, path and name while it still
  // holds `cookie`'s value; false when there is none. A removal heard from a mirror thus never
  // takes away a newer value that replaced the removed one here first.
  bool RemoveCookie(const Cookie& cookie);
  // Stores the cookie that `host` sets with the Set-Cookie value `setCookie`; false when it is
  // no cookie that host may set.
  bool StoreSetCookie(text::TextView host, text::TextView setCookie);
  // StoreSetCookie for a cookie a response set, which the cookie listener then hears of.
  bool StoreResponseCookie(text::TextView host, text::TextView setCookie);
  // Every cookie stored and not expired.
  std::vector<Cookie> Cookies();
  void ClearCookies();

  // Called with every cookie a response sets, on the thread of that request.
  using CookieListener = std::function<void(const Cookie&)>;
  void SetCookieListener(CookieListener listener);

 private:
  SessionShare();
  ~SessionShare();

  // Stores the cookie a Set-Cookie value makes, when it is one.
  std::optional<Cookie> StoreParsed(text::TextView host, text::TextView setCookie);
  // Runs `operation` on a handle attached to the share, for the cookie-list options.
  template <typename Operation>
  void WithShareHandle(Operation operation);

  static void Lock(CURL* handle, curl_lock_data data, curl_lock_access access, void* self);
  static void Unlock(CURL* handle, curl_lock_data data, void* self);

  CURLSH* m_share = nullptr;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> m_locks;
  std::mutex m_listenerMutex;
  CookieListener m_listener;
};

}  // namespace web
