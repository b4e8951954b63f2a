#include "web/SessionShare.h"

#include <ctime>
#include <utility>

#include "web/CurlHandles.h"

namespace web {

SessionShare& SessionShare::Instance() {
  static SessionShare share;
  return share;
}

SessionShare::SessionShare() {
  curl_global_init(CURL_GLOBAL_DEFAULT);
  m_share = curl_share_init();
  curl_share_setopt(m_share, CURLSHOPT_LOCKFUNC, &SessionShare::Lock);
  curl_share_setopt(m_share, CURLSHOPT_UNLOCKFUNC, &SessionShare::Unlock);
  curl_share_setopt(m_share, CURLSHOPT_USERDATA, this);
  for (const curl_lock_data data : {CURL_LOCK_DATA_COOKIE, CURL_LOCK_DATA_DNS,
                                    CURL_LOCK_DATA_SSL_SESSION, CURL_LOCK_DATA_CONNECT}) {
    curl_share_setopt(m_share, CURLSHOPT_SHARE, data);
  }
}

SessionShare::~SessionShare() {
  // Closes the connections still cached; every request handle is gone by now.
  curl_share_cleanup(m_share);
  curl_global_cleanup();
}

void SessionShare::Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
  static_cast<SessionShare*>(self)->m_locks.at(data).lock();
}

void SessionShare::Unlock(CURL*, curl_lock_data data, void* self) {
  static_cast<SessionShare*>(self)->m_locks.at(data).unlock();
}

void SessionShare::Attach(CURL* easy) {
  curl_easy_setopt(easy, CURLOPT_SHARE, m_share);
}

template <typename Operation>
void SessionShare::WithShareHandle(Operation operation) {
  const EasyHandle easy(curl_easy_init());
  if (!easy) return;
  Attach(easy.get());
  operation(easy.get());
}

void SessionShare::StoreCookie(const Cookie& cookie) {
  if (!IsStorableCookie(cookie)) return;
  const text::Text line = ToNetscapeLine(cookie);
  WithShareHandle([&](CURL* easy) { curl_easy_setopt(easy, CURLOPT_COOKIELIST, line.c_str()); });
}

bool SessionShare::RemoveCookie(const Cookie& cookie) {
  for (const Cookie& stored : Cookies()) {
    if (stored.domain == cookie.domain && stored.includeSubdomains == cookie.includeSubdomains &&
        stored.path == cookie.path && stored.name == cookie.name && stored.value == cookie.value) {
      Cookie deleting = stored;
      deleting.expires = kDeletingExpiry;
      StoreCookie(deleting);
      return true;
    }
  }
  return false;
}

std::optional<Cookie> SessionShare::StoreParsed(text::TextView host, text::TextView setCookie) {
  std::optional<Cookie> cookie = ParseSetCookie(host, setCookie);
  if (cookie) StoreCookie(*cookie);
  return cookie;
}

bool SessionShare::StoreSetCookie(text::TextView host, text::TextView setCookie) {
  return StoreParsed(host, setCookie).has_value();
}

bool SessionShare::StoreResponseCookie(text::TextView host, text::TextView setCookie) {
  const std::optional<Cookie> cookie = StoreParsed(host, setCookie);
  if (!cookie) return false;
  CookieListener listener;
  {
    const std::lock_guard lock(m_listenerMutex);
    listener = m_listener;
  }
  if (listener) listener(*cookie);
  return true;
}

std::vector<Cookie> SessionShare::Cookies() {
  std::vector<Cookie> cookies;
  const std::int64_t now = std::time(nullptr);
  WithShareHandle([&](CURL* easy) {
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_COOKIELIST, &list) != CURLE_OK) return;
    const HeaderList owned(list);
    for (const curl_slist* item = list; item; item = item->next) {
      std::optional<Cookie> cookie = ParseNetscapeLine(item->data);
      if (cookie && (cookie->expires == 0 || cookie->expires > now)) {
        cookies.push_back(std::move(*cookie));
      }
    }
  });
  return cookies;
}

void SessionShare::ClearCookies() {
  WithShareHandle([](CURL* easy) { curl_easy_setopt(easy, CURLOPT_COOKIELIST, "ALL"); });
}

void SessionShare::SetCookieListener(CookieListener listener) {
  const std::lock_guard lock(m_listenerMutex);
  m_listener = std::move(listener);
}

}  // namespace web
